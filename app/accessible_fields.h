#pragma once
// What a screen reader is told of two kinds of field where Qt's own answer
// misleads: a time picker is a spin button whose text is the time it shows
// ("08:30") and whose value the minutes of that day (Qt's is 0 in a range
// 0..0, whatever the time, and tells no change); a numeric edit is a text,
// read-only (a display edit; Qt's is editable and read-only at once) or
// not. All offer their text to be read character by character and as a
// whole (Qt's line edit tells a screen reader of runs of no characters, and
// it leaves out the last digit of a number).

class NumericEdit;
class QAccessibleInterface;
class QTimeEdit;

[[nodiscard]] QAccessibleInterface* accessible_time_picker(QTimeEdit* picker);
[[nodiscard]] QAccessibleInterface* accessible_numeric_edit(NumericEdit* edit);
