#include "ui/window_focus.h"

#include <QWidget>

void show_with_keyboard(QWidget* window, QWidget* control)
{
    if (window == nullptr)
        return;
    // A window just shown is on top already; activating it is what a window
    // manager may leave undone.
    window->show();
    window->activateWindow();
    if (control != nullptr)
        control->setFocus(Qt::ActiveWindowFocusReason);
}

void give_keyboard_back(QWidget* owner, QWidget* control)
{
    if (owner == nullptr)
        return;
    QWidget* window = owner->window();
    window->activateWindow();
    if (control != nullptr && control->isEnabled() && control->window() == window)
        control->setFocus(Qt::ActiveWindowFocusReason);
}
