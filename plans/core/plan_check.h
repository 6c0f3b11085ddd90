#pragma once
// The check of one weekday of the weekly plan: two switched-on intervals at
// the same time, or a switched-on interval with a volume outside 0..100.

#include "program/core/device_program.h"

namespace zuzo {

// The state of the last check. A volume fault replaces a duplicate fault.
enum class PlanFault : int { None = 0, Volume = 1, Duplicate = 2 };

// Checks day 1..7 of the plan; any other day yields None. Only intervals whose
// enabled value is exactly 1 take part; their stored hour and minute are
// compared for equality, their volume against 0..100.
[[nodiscard]] PlanFault check_plan_day(const DeviceProgram& program, int day);

// Whether day lies in 1..7 (a day the tables hold for the user).
[[nodiscard]] constexpr bool is_plan_day(int day)
{
    return day >= 1 && day <= kDays;
}

// Explanations shown by the two plan warnings (UTF-8).
[[nodiscard]] const char* duplicate_intervals_message();
[[nodiscard]] const char* volume_range_message();

} // namespace zuzo
