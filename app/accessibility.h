#pragma once
// What a screen reader says for each control of the main window, and the
// keyboard's way through them.

struct MainControls;

// Gives every named control an accessible name that begins with what the
// screen shows on it or beside it, so that a helper who sees the screen, or
// voice control, finds it by that text; where several controls share a
// caption (the twelve "Включен", the two "Включить симуляцию") or a channel
// row its colour, which one follows ("Включен, интервал 3"), and where the
// screen shortens words ("Синхр.часы") they are in full in the description.
// Lets Tab leave StatusLog.
void describe_controls(const MainControls& ui);

// Tab order of both pages: frame by frame, within a frame row by row, left
// to right; the interval rows in their numbers' order, 1..6 down the left
// column, then 7..12 down the right.
void set_tab_order(const MainControls& ui);

// The accessible names of the brightness channels 1..5 ("Красный, яркость
// модуля", ...); index 0 is empty.
const char* channel_accessible_name(int channel);
