#pragma once
// What a screen reader is told of two kinds of field where Qt's own answer
// misleads: a time picker is a spin button whose value is the time it shows
// ("08:30") and no number (Qt's is 0 in a range 0..0, whatever the time),
// and a display edit is a read-only text (Qt's is editable and read-only at
// once). Both offer their text to be read character by character.

class DisplayEdit;
class QAccessibleInterface;
class QTimeEdit;

[[nodiscard]] QAccessibleInterface* accessible_time_picker(QTimeEdit* picker);
[[nodiscard]] QAccessibleInterface* accessible_display_edit(DisplayEdit* edit);
