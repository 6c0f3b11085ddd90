#pragma once
// The platform seams of the tool: small interfaces with one real
// implementation each (ui/qt_seams.*). Tests swap in scripted versions.

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

// YesNoOnly: Yes and No, and nothing else answers: Escape and the close box
// do nothing (for a question whose No is not the safe answer).
enum class MsgButtons { Ok, YesNo, YesNoCancel, YesNoOnly };
enum class MsgIcon { Exclamation, Error, Question };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal box owned by parent's window (by the secondary window open over
    // it, if any); returns the button pressed (closing the box
    // counts as No for Yes/No, Cancel for Yes/No/Cancel, Ok for Ok). The
    // keyboard goes back to the control that had it.
    virtual MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                           MsgIcon icon) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty result when cancelled. filter is e.g. "Файлы (*.ptm)". The
    // keyboard goes back to the control that had it.
    virtual QString open_file(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString save_file(QWidget* parent, const QString& title, const QString& filter) = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Each starts something that runs on its own; failures are not reported.
    virtual void open_document(const QString& path) = 0;
    virtual void open_url(const QString& address) = 0;
    virtual void start_program(const QString& program, const QStringList& arguments) = 0;
};

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() = 0; // local date and time
};

// All seams the tool uses, handed to every part that needs one.
struct Seams {
    MessageBoxes* boxes = nullptr;
    FileDialogs* files = nullptr;
    Launcher* launcher = nullptr;
    WallClock* clock = nullptr;
};
