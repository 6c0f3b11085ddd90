#pragma once
// The keyboard follows the secondary windows: one that opens over the
// disabled main window takes it at once, and closing it hands it back to the
// control that had it. Qt leaves activation to the window manager; without
// one, or with one that does not hand focus to a new window, the keyboard
// would stay with the disabled main window.

class QWidget;

// Shows window, makes it the active window and puts the focus on control (a
// child of window).
void show_with_keyboard(QWidget* window, QWidget* control);

// Makes owner's window the active window again and puts the focus on
// control, when it is still there, enabled and inside owner's window.
void give_keyboard_back(QWidget* owner, QWidget* control);
