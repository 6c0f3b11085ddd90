#pragma once
// The real platform seams: Qt message boxes and file dialogs, the desktop's
// handlers for documents, addresses and programs, the local clock.

#include "app/seams.h"

// Message boxes; while one is open *busy is raised, so that timer ticks
// arriving in its nested event loop are dropped.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(int& busy) : busy_(busy) {}
    MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                   MsgIcon icon) override;

private:
    int& busy_;
};

// File dialogs; they raise *busy while open, as message boxes do.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(int& busy) : busy_(busy) {}
    QString open_file(QWidget* parent, const QString& title, const QString& filter) override;
    QString save_file(QWidget* parent, const QString& title, const QString& filter) override;

private:
    int& busy_;
};

class QtLauncher : public Launcher {
public:
    // A missing document is skipped silently.
    void open_document(const QString& path) override;
    // A bare host name is opened as an http address.
    void open_url(const QString& address) override;
    void start_program(const QString& program, const QStringList& arguments) override;
};

class QtWallClock : public WallClock {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};
