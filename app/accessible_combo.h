#pragma once
// What a screen reader is told of a combo box, on each system the way its
// screen readers hear one.
//
// Linux: Qt names a combo box by its current item there, and Qt 6.4 offers
// no selection of its list, from which a screen reader (Orca) would take the
// item. So a combo box is named by its label (or its own name), holds its
// current item as its value and as its text, which Orca reads as the item,
// and a new item chosen by the user is told as that text replaced, all of it
// selected (Orca speaks inserted text that is selected). Items the program
// sets are not told (see ui/control_ops.h).
//
// Windows: Qt's own interface already names a combo box by its label, gives
// its item as its value and raises a notification with each new item.

class QAccessibleInterface;
class QComboBox;

// Null where Qt's own interface serves.
[[nodiscard]] QAccessibleInterface* accessible_combo(QComboBox* combo);
