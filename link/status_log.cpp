#include "link/status_log.h"

#include "ui/seams.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

StatusLog::StatusLog(QTextEdit* log, WallClock* clock)
    : log_(log), clock_(clock), has_lines_(log && !log->document()->isEmpty())
{
    if (!log_)
        return;
    // Only log_status writes here: the user may select and copy the lines,
    // never type over them or undo them.
    log_->setReadOnly(true);
    log_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    log_->setUndoRedoEnabled(false);
}

void StatusLog::append_line(const QString& text)
{
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    if (has_lines_)
        cursor.insertBlock();
    cursor.insertText(text);
    has_lines_ = true;
    // Keep the newest line in view.
    if (QScrollBar* bar = log_->verticalScrollBar())
        bar->setValue(bar->maximum());
}

void StatusLog::log_status(const QString& text, int mode)
{
    if (!log_)
        return;
    switch (mode) {
    case LOG_PLAIN:
        append_line(text);
        break;
    case LOG_CLEAR:
        log_->clear();
        has_lines_ = false;
        break;
    case LOG_STAMPED:
        append_line(clock_->now().toString(QStringLiteral("hh:mm:ss")) + QStringLiteral(" ->") + text);
        break;
    default:
        break;
    }
}
