// timeBeginPeriod(1) for as long as the link is open, timeEndPeriod(1) when
// it closes, so that the rest of the time the machine keeps its coarse tick
// (and its power saving). Windows 11 would leave a minimized or hidden
// window program at the coarse tick; the process asks to be exempt.

#include "link/core/fine_timer.h"

#include <windows.h>

#include <mmsystem.h>

namespace zuzo {
namespace {

constexpr UINT kPeriodMs = 1;

void keep_timer_while_hidden()
{
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    state.StateMask = 0; // never ignore this process's timer request
    // Systems before Windows 11 know no such setting and refuse it: no harm.
    (void)SetProcessInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);
}

} // namespace

void FineTimer::hold()
{
    if (held_)
        return;
    keep_timer_while_hidden();
    held_ = timeBeginPeriod(kPeriodMs) == TIMERR_NOERROR;
}

void FineTimer::release()
{
    if (held_)
        timeEndPeriod(kPeriodMs);
    held_ = false;
}

} // namespace zuzo
