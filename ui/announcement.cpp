#include "ui/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

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

Announcement::Announcement(QWidget* parent) : QWidget(parent)
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
    label_ = new QLabel(this);
    label_->setGeometry(0, 0, 0, 0);
    hide();
}

QString Announcement::text() const
{
    return label_->text();
}

void Announcement::announce(const QString& text)
{
    hide();
    label_->setText(text);
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    if (!text.isEmpty())
        show();
}
