#pragma once
// What a screen reader says for each control of the main window, and the
// keyboard's way through them.

struct MainControls;

// Gives every named control an accessible name (a caption alone is not
// enough where several controls share one, such as the twelve "Включен" or
// the two "Включить симуляцию"), and lets Tab leave StatusLog.
void describe_controls(const MainControls& ui);

// Tab order of both pages: frame by frame, within a frame row by row, left
// to right; the interval rows in their numbers' order, 1..6 down the left
// column, then 7..12 down the right.
void set_tab_order(const MainControls& ui);

// The accessible names of the brightness channels 1..5 ("Яркость модуля,
// красный", ...); index 0 is empty.
const char* channel_accessible_name(int channel);
