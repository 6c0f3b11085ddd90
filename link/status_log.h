#pragma once
// log_status: the one writer of StatusLog.

#include <QString>

class QTextEdit;
class WallClock;

enum LogMode : int { LOG_PLAIN = 0, LOG_CLEAR = 1, LOG_STAMPED = 2 };

class StatusLog {
public:
    // Makes log read-only to the user (still selectable and copyable).
    StatusLog(QTextEdit* log, WallClock* clock);
    // LOG_PLAIN appends text as a new last line; LOG_CLEAR empties the log;
    // LOG_STAMPED appends "hh:mm:ss ->" + text; any other mode does nothing.
    // Texts are plain: nothing in them is taken for markup.
    void log_status(const QString& text, int mode);

private:
    void append_line(const QString& text);

    QTextEdit* log_;
    WallClock* clock_;
    bool has_lines_ = false;
};
