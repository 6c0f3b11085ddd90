// Ctrl+C is SIGINT. The handler notes it and gives the signal back to its
// default action, so that a second Ctrl+C ends the program.

#include "tools/zuzo/interrupt.h"

#include <csignal>

namespace zuzo::cli {
namespace {

struct sigaction g_before {};

extern "C" void on_interrupt(int)
{
    note_interrupt();
}

} // namespace

InterruptWatch::InterruptWatch()
{
    forget_interrupt();
    struct sigaction watch {};
    watch.sa_handler = &on_interrupt;
    sigemptyset(&watch.sa_mask);
    watch.sa_flags = SA_RESTART | SA_RESETHAND; // waits go on; the next one ends the program
    sigaction(SIGINT, &watch, &g_before);
}

InterruptWatch::~InterruptWatch()
{
    sigaction(SIGINT, &g_before, nullptr);
}

} // namespace zuzo::cli
