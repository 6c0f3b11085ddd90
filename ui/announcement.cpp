#include "ui/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace {

// Notifications kept after they were shown: one a screen reader is slow to
// read is still there to be read.
constexpr std::size_t kKept = 4;

class AccessibleAnnouncement : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncement(Announcement* announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Announcement*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* announcement_role(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String("Announcement") && object != nullptr && object->isWidgetType())
        return new AccessibleAnnouncement(static_cast<Announcement*>(object));
    return nullptr;
}

} // namespace

Announcement::Announcement(QWidget* parent, const QString& text) : QWidget(parent)
{
    // Before Qt is asked for this widget's interface: it keeps the first.
    static const bool installed = [] {
        QAccessible::installFactory(announcement_role);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("Announcement"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    label_ = new QLabel(text, this);
    label_->setTextFormat(Qt::PlainText);
    label_->setGeometry(0, 0, 0, 0);
    hide();
}

QString Announcement::text() const
{
    return label_->text();
}

Announcer* Announcer::of(QWidget* widget)
{
    QWidget* window = widget->window();
    if (auto* found = window->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly))
        return found;
    return new Announcer(window);
}

Announcer::Announcer(QWidget* window) : QObject(window), window_(window), turn_(new QTimer(this))
{
    turn_->setSingleShot(true);
    turn_->setInterval(0);
    connect(turn_, &QTimer::timeout, this, &Announcer::tell_pending);
    window_->installEventFilter(this);
    // The window may become free by another window losing the keyboard.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (waiting())
            turn_->start();
    });
}

void Announcer::announce(const QString& text)
{
    if (text.isEmpty())
        return;
    pending_ << text;
    turn_->start();
}

QString Announcer::told() const
{
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
        if (!it->isNull())
            return (*it)->text();
    }
    return {};
}

bool Announcer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && waiting() &&
        (event->type() == QEvent::EnabledChange || event->type() == QEvent::WindowActivate))
        turn_->start();
    return QObject::eventFilter(watched, event);
}

bool Announcer::window_free() const
{
    const QWidget* active = QApplication::activeWindow();
    return window_->isEnabled() && QApplication::activeModalWidget() == nullptr &&
           (active == nullptr || active == window_);
}

void Announcer::tell_pending()
{
    if (pending_.isEmpty() || !window_free())
        return;
    if (!shown_.empty() && !shown_.back().isNull())
        shown_.back()->hide();
    auto* told = new Announcement(window_, pending_.join(QLatin1Char(' ')));
    pending_.clear();
    told->show();
    shown_.emplace_back(told);
    while (shown_.size() > kKept) {
        if (!shown_.front().isNull())
            shown_.front()->deleteLater();
        shown_.pop_front();
    }
}
