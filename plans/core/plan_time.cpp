#include "plans/core/plan_time.h"

#include "program/core/device_program.h"
#include "program/core/number_text.h"

namespace zuzo {

bool is_showable_time(PlanTime stored)
{
    return stored.hour >= 0 && stored.hour <= 23 && stored.minute >= 0 && stored.minute <= 59;
}

PlanTime shown_time(PlanTime stored)
{
    return is_showable_time(stored) ? stored : PlanTime{};
}

PlanTime read_back_time(PlanTime stored, PlanTime shown, bool changed_by_user)
{
    if (!changed_by_user && !is_showable_time(stored)) {
        return stored;
    }
    return shown;
}

std::int32_t read_back_enabled(std::int32_t stored, bool checked)
{
    if (checked == (stored == 1)) {
        return stored;
    }
    return checked ? 1 : 0;
}

std::string stored_time_text(PlanTime stored)
{
    auto two = [](std::int32_t v) {
        std::string text = decimal_text(v);
        return (v >= 0 && v < 10) ? "0" + text : text;
    };
    return two(stored.hour) + ":" + two(stored.minute);
}

int day_of_position(int position)
{
    return (position >= 0 && position < kDays) ? position + 1 : 0;
}

} // namespace zuzo
