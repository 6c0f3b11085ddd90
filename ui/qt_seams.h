#pragma once
// The real platform seams: Qt message boxes and file dialogs, the desktop's
// handlers for documents, addresses and programs, the local clock.

#include "ui/seams.h"

#include <utility>

// The window a box or file dialog asked for parent is shown over: parent
// itself, or, while a secondary window is open over parent's window (which
// it keeps disabled), that secondary window, so that no question is ever
// hidden behind another window.
[[nodiscard]] QWidget* box_owner(QWidget* parent);

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

// The user's Documents folder, or the home folder where there is none: a
// place where the user can write, whatever the working directory.
[[nodiscard]] QString documents_folder();

// File dialogs; they raise *busy while open, as message boxes do. The first
// dialog of the run starts in first_folder, every later one in the folder of
// the last file chosen in this run (Open and Save alike). Nothing of it is
// kept for the next run: the dialogs neither read nor write Qt's settings.
// Qt's own dialog shows file sizes in Russian.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(int& busy, QString first_folder = documents_folder())
        : busy_(busy), folder_(std::move(first_folder))
    {
    }
    QString open_file(QWidget* parent, const QString& title, const QString& filter) override;
    QString save_file(QWidget* parent, const QString& title, const QString& filter) override;

private:
    QString run(QWidget* parent, const QString& title, const QString& filter, bool save);
    // Remembers the folder of a chosen name; an empty name (cancelled)
    // changes nothing. Returns name.
    QString remember(const QString& name);

    int& busy_;
    QString folder_;
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
