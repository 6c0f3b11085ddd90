// The note of a Ctrl+C, alike on every system.

#include "tools/zuzo/interrupt.h"

#include <atomic>

namespace zuzo::cli {
namespace {

// Set from a signal handler or the console's own thread: lock-free.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

bool interrupted()
{
    return g_interrupted.load();
}

void note_interrupt()
{
    g_interrupted.store(true);
}

void forget_interrupt()
{
    g_interrupted.store(false);
}

} // namespace zuzo::cli
