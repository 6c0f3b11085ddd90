#pragma once
// The keyboard follows the windows: one that opens over the disabled main
// window takes it at once, and closing it, or a message box or file dialog,
// hands it back to the control that had it. Qt leaves activation to the
// window manager; without one, or with one that does not hand focus to a new
// window, the keyboard would stay with the disabled main window or fall to
// the desktop. In every window of the tool, Enter presses the focused button.

#include <QPointer>

class QWidget;

// Shows window, makes it the active window and puts the focus on control (a
// child of window).
void show_with_keyboard(QWidget* window, QWidget* control);

// Makes owner's window the active window again and puts the focus on
// control, when it is still there, enabled and inside owner's window.
// Nothing happens while owner's window is hidden.
void give_keyboard_back(QWidget* owner, QWidget* control);

// Enter and Return press every push button under root that has the focus,
// as Space does (Qt's own windows do it only inside dialogs).
void enter_presses_buttons(QWidget* root);

// Remembers which control has the keyboard and gives it back when the scope
// ends: a message box or file dialog opened meanwhile leaves it where it was.
// Right after another box or dialog over owner closed (Open asks, then
// shows the file dialog), no window may be active yet: then it is owner's
// window and the control that had the keyboard there.
class KeyboardReturn {
public:
    explicit KeyboardReturn(QWidget* owner);
    ~KeyboardReturn();
    KeyboardReturn(const KeyboardReturn&) = delete;
    KeyboardReturn& operator=(const KeyboardReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> control_;
};
