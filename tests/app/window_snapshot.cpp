#include "app/window_snapshot.h"

#include "ui/warning_picture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimeEdit>

namespace {

QString state_of(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return QStringLiteral("checked=%1").arg(button->isChecked());
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return QStringLiteral("index=%1 items=%2").arg(combo->currentIndex()).arg(combo->count());
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return QStringLiteral("text=") + edit->text();
    if (const auto* slider = qobject_cast<const QSlider*>(widget))
        return QStringLiteral("value=%1").arg(slider->value());
    if (const auto* picker = qobject_cast<const QTimeEdit*>(widget))
        return QStringLiteral("time=") + picker->time().toString(QStringLiteral("HH:mm"));
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return QStringLiteral("text=") + text->toPlainText();
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
        return QStringLiteral("page=%1").arg(tabs->currentIndex());
    if (const auto* warning = qobject_cast<const WarningPicture*>(widget))
        return QStringLiteral("data=%1").arg(warning->userData());
    return {};
}

} // namespace

QStringList window_snapshot(const QWidget* window)
{
    QStringList lines;
    for (const QWidget* widget : window->findChildren<const QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        lines << QStringLiteral("%1 enabled=%2 hidden=%3 %4")
                     .arg(widget->objectName())
                     .arg(widget->isEnabled())
                     .arg(widget->isHidden())
                     .arg(state_of(widget));
    }
    lines.sort();
    return lines;
}
