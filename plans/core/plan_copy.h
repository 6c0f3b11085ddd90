#pragma once
// Copying the time parameters of one weekday onto other weekdays.

#include <array>

#include "program/core/device_program.h"

namespace zuzo {

// Copies all twelve intervals of source_day (switch, hour, minute, volume)
// onto every day t whose targets[t - 1] is set, in ascending order. Interval
// and day index 0 are never touched. A target that is the source itself
// changes nothing and still counts. Returns whether anything was copied: false
// when source_day is not 1..7 (0 = no source chosen) or no target is set.
[[nodiscard]] bool copy_time_params(DeviceProgram& program, int source_day,
                                    const std::array<bool, kDays>& targets);

} // namespace zuzo
