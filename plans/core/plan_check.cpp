#include "plans/core/plan_check.h"

namespace zuzo {

namespace {

bool switched_on(const DeviceProgram& p, int day, int interval)
{
    return p.plan_enabled[day][interval] == 1;
}

bool has_duplicate_time(const DeviceProgram& p, int day)
{
    for (int i = 1; i <= kIntervals; ++i) {
        if (!switched_on(p, day, i)) {
            continue;
        }
        for (int j = i + 1; j <= kIntervals; ++j) {
            if (switched_on(p, day, j) && p.plan_hour[day][i] == p.plan_hour[day][j] &&
                p.plan_minute[day][i] == p.plan_minute[day][j]) {
                return true;
            }
        }
    }
    return false;
}

bool has_volume_out_of_range(const DeviceProgram& p, int day)
{
    for (int j = 1; j <= kIntervals; ++j) {
        const std::int32_t volume = p.plan_volume[day][j];
        if (switched_on(p, day, j) && (volume > 100 || volume < 0)) {
            return true;
        }
    }
    return false;
}

} // namespace

PlanFault check_plan_day(const DeviceProgram& program, int day)
{
    if (!is_plan_day(day)) {
        return PlanFault::None;
    }
    if (has_volume_out_of_range(program, day)) {
        return PlanFault::Volume;
    }
    if (has_duplicate_time(program, day)) {
        return PlanFault::Duplicate;
    }
    return PlanFault::None;
}

const char* duplicate_intervals_message()
{
    return "Задано несколько, одинаковых, временных интервалов";
}

const char* volume_range_message()
{
    return "Уровень громкости вне диапазона 0..100%";
}

} // namespace zuzo
