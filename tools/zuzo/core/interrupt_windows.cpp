// Ctrl+C and Ctrl+Break come to a handler of the console, on a thread of
// their own. The first is noted and taken; the second is left to the
// handlers before (the console's, then the system's, which ends the program).

#include "tools/zuzo/core/interrupt.h"

#include <windows.h>

namespace zuzo::cli {
namespace {

BOOL WINAPI on_console_key(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    if (interrupted())
        return FALSE;
    note_interrupt(event == CTRL_C_EVENT ? Interrupt::CtrlC : Interrupt::CtrlBreak);
    return TRUE;
}

} // namespace

InterruptWatch::InterruptWatch()
{
    forget_interrupt();
    SetConsoleCtrlHandler(&on_console_key, TRUE);
}

InterruptWatch::~InterruptWatch()
{
    SetConsoleCtrlHandler(&on_console_key, FALSE);
}

} // namespace zuzo::cli
