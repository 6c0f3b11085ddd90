#include "plans/core/plan_copy.h"

#include "plans/core/plan_check.h"

namespace zuzo {

namespace {

void copy_row(PlanTable& table, int from, int to)
{
    for (int i = 1; i <= kIntervals; ++i) {
        table[to][i] = table[from][i];
    }
}

} // namespace

bool copy_time_params(DeviceProgram& program, int source_day, const std::array<bool, kDays>& targets)
{
    if (!is_plan_day(source_day)) {
        return false;
    }
    bool copied = false;
    for (int p = 0; p < kDays; ++p) {
        if (!targets[p]) {
            continue;
        }
        const int t = p + 1;
        copy_row(program.plan_enabled, source_day, t);
        copy_row(program.plan_hour, source_day, t);
        copy_row(program.plan_minute, source_day, t);
        copy_row(program.plan_volume, source_day, t);
        copied = true;
    }
    return copied;
}

} // namespace zuzo
