#include "app/warning_picture.h"

#include <QMouseEvent>

WarningPicture::WarningPicture(QWidget* parent) : QLabel(parent)
{
    setFixedSize(45, 30);
    setCursor(Qt::PointingHandCursor);
}

void WarningPicture::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    emit clicked(event->button());
}
