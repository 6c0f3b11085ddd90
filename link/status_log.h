#pragma once
// log_status: the one writer of StatusLog. Each new line is also told to a
// screen reader as it is written, the keyboard staying where it is (see
// ui/announcement.h).

#include <QPointer>
#include <QString>

class Announcer;
class QTextEdit;
class WallClock;

enum LogMode : int { LOG_PLAIN = 0, LOG_CLEAR = 1, LOG_STAMPED = 2 };

class StatusLog {
public:
    // Makes log read-only to the user (still selectable and copyable).
    StatusLog(QTextEdit* log, WallClock* clock);
    StatusLog(const StatusLog&) = delete;
    StatusLog& operator=(const StatusLog&) = delete;
    // LOG_PLAIN appends text as a new last line; LOG_CLEAR empties the log;
    // LOG_STAMPED appends "hh:mm:ss ->" + text; any other mode does nothing.
    // Texts are plain: nothing in them is taken for markup.
    void log_status(const QString& text, int mode);

    // What a screen reader was told last (the lines without their stamp).
    [[nodiscard]] QString announced() const;

private:
    void append_line(const QString& text);
    // The lines written within one handler are told together when it is
    // done, so that one does not cut off the other.
    void announce(const QString& line);

    QTextEdit* log_;
    WallClock* clock_;
    bool has_lines_ = false;
    QPointer<Announcer> announcer_;
};
