#pragma once
// Changes a screen reader is not told of while a scope lives, so that a
// whole window changing at once does not flood it. A screen reader takes
// some fifty changes at once for a flood and drops what else comes with
// them: the outcome of a transfer, the window that opens, the item chosen.
// The controls still answer a screen reader that asks with what they hold.
//
// Told nothing of:
// - QuietEnabling: controls enabled or disabled (a whole window disabled
//   under a secondary window or a transfer is 70 to 80 of them; told
//   neither when disabled nor when enabled again, a screen reader's copy of
//   the states is right again afterwards);
// - QuietContent: the new value, text or cursor of one control the program
//   sets, unless it has the keyboard (a program read, opened or made new
//   sets some sixty; a screen reader reads them when it gets there), or
//   even then where asked (a clock shown anew each second would be read
//   out each second).

class QWidget;

class QuietEnabling {
public:
    QuietEnabling();
    ~QuietEnabling();
    QuietEnabling(const QuietEnabling&) = delete;
    QuietEnabling& operator=(const QuietEnabling&) = delete;
};

class QuietContent {
public:
    explicit QuietContent(const QWidget* control, bool even_with_keyboard = false);
    ~QuietContent();
    QuietContent(const QuietContent&) = delete;
    QuietContent& operator=(const QuietContent&) = delete;

private:
    const QWidget* control_;
};

// Enables or disables window under QuietEnabling.
void set_enabled_quietly(QWidget* window, bool enabled);
