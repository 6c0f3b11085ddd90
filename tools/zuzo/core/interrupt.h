#pragma once
// Ctrl+C during a device command. While an InterruptWatch lives, the first
// Ctrl+C (Ctrl+Break too on Windows; SIGTERM and SIGHUP, a closed terminal,
// elsewhere) does not end the program: it is noted, and every port asks
// before each exchange whether to go on, so each device stops between two
// exchanges and its run says what the device holds. A second one ends the
// program at once, as without a watch. Catching the keys and signals is
// the system's part (interrupt_posix.cpp, interrupt_windows.cpp).

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

// What asked the program to stop.
enum class Interrupt {
    None,
    CtrlC,
    CtrlBreak, // Windows
    Terminate, // SIGTERM: kill, timeout, a shutdown
    HangUp,    // SIGHUP: the terminal or the remote session closed
};

// True once Ctrl+C was pressed (or the program was asked to stop) under the
// current watch; any thread may ask.
[[nodiscard]] bool interrupted();

// What stopped the run, after "остановлено по ": "Ctrl+C", "Ctrl+Break",
// "сигналу SIGTERM", "сигналу SIGHUP".
[[nodiscard]] const char* interrupt_words();

// What the key or signal does: notes the first interrupt
// (async-signal-safe).
void note_interrupt(Interrupt why);
// Forgets it (the watch does so when it starts).
void forget_interrupt();

} // namespace zuzo::cli
