// Ctrl+C is SIGINT; a closed terminal or remote session sends SIGHUP, kill
// and timeout SIGTERM. Each is noted and given back to its default action,
// so that a second one ends the program.

#include "tools/zuzo/core/interrupt.h"

#include <csignal>
#include <iterator>

namespace zuzo::cli {
namespace {

struct Watched {
    int signal;
    Interrupt why;
};
constexpr Watched kWatched[] = {
    {SIGINT, Interrupt::CtrlC}, {SIGTERM, Interrupt::Terminate}, {SIGHUP, Interrupt::HangUp}};

struct sigaction g_before[std::size(kWatched)]{};

extern "C" void on_interrupt(int signal)
{
    for (const Watched& w : kWatched) {
        if (w.signal == signal)
            note_interrupt(w.why);
    }
}

} // namespace

InterruptWatch::InterruptWatch()
{
    forget_interrupt();
    struct sigaction watch {};
    watch.sa_handler = &on_interrupt;
    sigemptyset(&watch.sa_mask);
    watch.sa_flags = SA_RESTART | SA_RESETHAND; // waits go on; the next one ends the program
    for (std::size_t k = 0; k < std::size(kWatched); ++k)
        sigaction(kWatched[k].signal, &watch, &g_before[k]);
}

InterruptWatch::~InterruptWatch()
{
    for (std::size_t k = 0; k < std::size(kWatched); ++k)
        sigaction(kWatched[k].signal, &g_before[k], nullptr);
}

} // namespace zuzo::cli
