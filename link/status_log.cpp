#include "link/status_log.h"

#include "ui/announcement.h"
#include "ui/seams.h"

#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

// Lines told together read as sentences.
QString sentences(const QStringList& lines)
{
    QStringList said;
    for (const QString& line : lines) {
        const QChar last = line.back();
        said << (last == QLatin1Char('.') || last == QLatin1Char('!') || last == QLatin1Char('?')
                     ? line
                     : line + QLatin1Char('.'));
    }
    return said.join(QLatin1Char(' '));
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
    announcement_ = new Announcement(log_);
    quiet_ = new QTimer(log_);
    quiet_->setSingleShot(true);
    quiet_->setInterval(0);
    QObject::connect(quiet_, &QTimer::timeout, log_, [this] { announce_pending(); });
}

StatusLog::~StatusLog()
{
    // The log may outlive this writer; its timer must not call it.
    delete quiet_.data();
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
    const QString said = line.trimmed();
    if (said.isEmpty() || !announcement_ || !quiet_)
        return;
    if (quiet_->isActive()) {
        pending_ << said;
        return;
    }
    announcement_->announce(sentences({said}));
    quiet_->start();
}

void StatusLog::announce_pending()
{
    if (pending_.isEmpty() || !announcement_)
        return;
    announcement_->announce(sentences(pending_));
    pending_.clear();
}

QString StatusLog::announced() const
{
    return announcement_ ? announcement_->text() : QString();
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
