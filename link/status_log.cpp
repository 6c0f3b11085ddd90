#include "link/status_log.h"

#include "ui/announcement.h"
#include "ui/seams.h"

#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {

// What a screen reader is told of a line: its words without the stamp, runs
// of blanks as one and none before a colon ("Порт  : COM2" is told "Порт:
// COM2"), as a sentence, unless the line goes on in the next (it ends with a
// blank: "Обнаружено новое " and "соединение ..."). A line of no letters or
// digits (the rule under a new port) is not told.
QString spoken(const QString& line)
{
    QString said = line.simplified();
    said.replace(QStringLiteral(" :"), QStringLiteral(":"));
    const bool words = std::any_of(said.cbegin(), said.cend(), [](QChar c) { return c.isLetterOrNumber(); });
    if (!words)
        return {};
    const QChar last = said.back();
    if (line.back() == QLatin1Char(' ') || last == QLatin1Char('.') || last == QLatin1Char('!') ||
        last == QLatin1Char('?'))
        return said;
    return said + QLatin1Char('.');
}

} // namespace

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
    announcer_ = Announcer::of(log_);
}

void StatusLog::append_line(const QString& text)
{
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    // Where a line wraps, its continuation is indented: a new line starts at
    // the left edge, a wrapped one does not.
    QTextBlockFormat hanging;
    const qreal indent = log_->fontMetrics().horizontalAdvance(QStringLiteral("    "));
    hanging.setLeftMargin(indent);
    hanging.setTextIndent(-indent);
    if (has_lines_)
        cursor.insertBlock(hanging);
    else
        cursor.setBlockFormat(hanging);
    cursor.insertText(text);
    has_lines_ = true;
    // Keep the newest line in view.
    if (QScrollBar* bar = log_->verticalScrollBar())
        bar->setValue(bar->maximum());
}

void StatusLog::announce(const QString& line)
{
    if (announcer_ && !line.isEmpty())
        announcer_->announce(spoken(line));
}

QString StatusLog::announced() const
{
    return announcer_ ? announcer_->told() : QString();
}

void StatusLog::log_status(const QString& text, int mode)
{
    if (!log_)
        return;
    switch (mode) {
    case LOG_PLAIN:
        append_line(text);
        announce(text);
        break;
    case LOG_CLEAR:
        log_->clear();
        has_lines_ = false;
        break;
    case LOG_STAMPED:
        append_line(clock_->now().toString(QStringLiteral("hh:mm:ss")) + QStringLiteral(" ->") + text);
        announce(text);
        break;
    default:
        break;
    }
}
