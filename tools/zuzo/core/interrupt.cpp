// The note of a Ctrl+C, alike on every system.

#include "tools/zuzo/core/interrupt.h"

#include <atomic>

namespace zuzo::cli {
namespace {

// Set from a signal handler or the console's own thread: lock-free.
std::atomic<Interrupt> g_interrupt{Interrupt::None};
static_assert(std::atomic<Interrupt>::is_always_lock_free);

} // namespace

bool interrupted()
{
    return g_interrupt.load() != Interrupt::None;
}

const char* interrupt_words()
{
    switch (g_interrupt.load()) {
    case Interrupt::CtrlBreak:
        return "Ctrl+Break";
    case Interrupt::Terminate:
        return "сигналу SIGTERM";
    case Interrupt::HangUp:
        return "сигналу SIGHUP";
    case Interrupt::None:
    case Interrupt::CtrlC:
        break;
    }
    return "Ctrl+C";
}

void note_interrupt(Interrupt why)
{
    Interrupt none = Interrupt::None;
    (void)g_interrupt.compare_exchange_strong(none, why);
}

void forget_interrupt()
{
    g_interrupt.store(Interrupt::None);
}

} // namespace zuzo::cli
