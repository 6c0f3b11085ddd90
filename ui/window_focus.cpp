#include "ui/window_focus.h"

#include <QApplication>
#include <QPushButton>
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
    if (owner == nullptr || !owner->window()->isVisible())
        return;
    QWidget* window = owner->window();
    window->activateWindow();
    if (control != nullptr && control->isEnabled() && control->window() == window)
        control->setFocus(Qt::ActiveWindowFocusReason);
}

void enter_presses_buttons(QWidget* root)
{
    if (root == nullptr)
        return;
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

KeyboardReturn::KeyboardReturn(QWidget* owner)
{
    QWidget* window = QApplication::activeWindow();
    if ((window == nullptr || !window->isVisible()) && owner != nullptr)
        window = owner->window();
    QWidget* control = QApplication::focusWidget();
    if (window != nullptr && (control == nullptr || control->window() != window))
        control = window->focusWidget();
    window_ = window;
    control_ = control;
}

KeyboardReturn::~KeyboardReturn()
{
    QWidget* control = control_.data();
    QWidget* owner = control != nullptr ? control : window_.data();
    give_keyboard_back(owner, control);
}
