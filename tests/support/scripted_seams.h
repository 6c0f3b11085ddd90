#pragma once
// Scripted stand-ins for the platform seams: message boxes answered from a
// queue, file dialogs returning scripted names, a launcher that records, a
// clock that shows what the test sets.

#include "ui/seams.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct ShownBox {
    QString title;
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Exclamation;
};

class ScriptedBoxes : public MessageBoxes {
public:
    MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                   MsgIcon icon) override;

    // Answers given in order; when empty, default_answer, or if that is not
    // set the answer of closing the box (Ok, No, Cancel by button set).
    std::deque<MsgAnswer> answers;
    std::optional<MsgAnswer> default_answer;
    // Runs while the box is "open" (busy raised, like a real box).
    std::function<void(const ShownBox&)> while_open;
    // Raised while a box is open, as the real boxes do; may stay null.
    int* busy = nullptr;

    std::vector<ShownBox> shown;
    void clear() { shown.clear(); }
};

struct FileDialogCall {
    bool save = false;
    QString title;
    QString filter;
};

class ScriptedFiles : public FileDialogs {
public:
    QString open_file(QWidget* parent, const QString& title, const QString& filter) override;
    QString save_file(QWidget* parent, const QString& title, const QString& filter) override;

    // Names returned in order; an empty queue answers "" (cancelled).
    std::deque<QString> open_names;
    std::deque<QString> save_names;
    std::vector<FileDialogCall> calls;
};

struct ProgramStart {
    QString program;
    QStringList arguments;
};

class RecordingLauncher : public Launcher {
public:
    void open_document(const QString& path) override { documents.push_back(path); }
    void open_url(const QString& address) override { urls.push_back(address); }
    void start_program(const QString& program, const QStringList& arguments) override
    {
        programs.push_back({program, arguments});
    }

    std::vector<QString> documents;
    std::vector<QString> urls;
    std::vector<ProgramStart> programs;
};

class FixedClock : public WallClock {
public:
    QDateTime now() override { return value; }
    void set(const QDateTime& time) { value = time; }
    void advance_seconds(int seconds) { value = value.addSecs(seconds); }

    QDateTime value{QDate(2026, 12, 7), QTime(14, 5, 9)};
};
