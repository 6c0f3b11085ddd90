#include "tools/devsim/adapter_hold.h"

namespace zuzo::sim {

AdapterHold::Clock::time_point AdapterHold::release(Clock::time_point due) const
{
    if (!holds() || due <= phase_)
        return due;
    const Clock::duration period = period_;
    const Clock::duration since = due - phase_;
    const auto periods = (since + period - Clock::duration(1)) / period; // rounded up
    return phase_ + periods * period;
}

} // namespace zuzo::sim
