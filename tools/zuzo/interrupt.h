#pragma once
// Ctrl+C during a device command. While an InterruptWatch lives, the first
// Ctrl+C (Ctrl+Break too on Windows) does not end the program: it is noted,
// and every port asks before each exchange whether to go on, so each device
// stops between two exchanges and its run says what the device holds. A
// second Ctrl+C ends the program at once, as without a watch. Catching the
// keys is the system's part (interrupt_posix.cpp, interrupt_windows.cpp).

namespace zuzo::cli {

class InterruptWatch {
public:
    // Forgets an earlier Ctrl+C and starts catching the keys.
    InterruptWatch();
    // Gives the keys back to what caught them before.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
};

// True once Ctrl+C was pressed under the current watch; any thread may ask.
[[nodiscard]] bool interrupted();

// What the key does: notes the interrupt (async-signal-safe).
void note_interrupt();
// Forgets it (the watch does so when it starts).
void forget_interrupt();

} // namespace zuzo::cli
