#include "ui/warning_picture.h"

#include "ui/announcement.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSizePolicy>
#include <QStyleOptionFocusRect>

WarningPicture::WarningPicture(QWidget* parent) : QLabel(parent)
{
    setFixedSize(45, 30);
    // Its place stays taken while it is hidden: nothing beside it moves when
    // it shows.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it (a hidden picture is passed over); a click does not
    // move the focus, as before.
    setFocusPolicy(Qt::TabFocus);
}

void WarningPicture::setVisible(bool visible)
{
    const bool appears = visible && isHidden();
    QLabel::setVisible(visible);
    if (!appears || !isVisible())
        return;
    const QString name = accessibleName().isEmpty() ? toolTip() : accessibleName();
    if (!name.isEmpty())
        Announcer::of(this)->announce(name + QLatin1Char('.'));
}

void WarningPicture::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    emit clicked(event->button());
}

void WarningPicture::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            press();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void WarningPicture::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
