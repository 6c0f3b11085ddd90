#include "tools/zuzo/commands/program_diff.h"

#include "plans/core/plan_time.h"
#include "program/core/optics_range.h"
#include "tools/zuzo/commands/optics_compare.h"

namespace zuzo {
namespace {

std::string quoted(const std::string& text)
{
    return "«" + text + "»";
}

// An interval as the plan editor shows its row: switched on or off (a
// value other than 0 and 1 counts as off, and is shown), time, volume.
std::string interval_text(const DeviceProgram& p, int day, int k)
{
    const auto d = static_cast<std::size_t>(day);
    const auto i = static_cast<std::size_t>(k);
    const std::int32_t enabled = p.plan_enabled[d][i];
    const std::string switched = enabled == 1   ? "вкл."
                                 : enabled == 0 ? "выкл."
                                                : "выкл. (" + std::to_string(enabled) + ")";
    return switched + ", " + stored_time_text({p.plan_hour[d][i], p.plan_minute[d][i]}) + ", " +
           std::to_string(p.plan_volume[d][i]) + " %";
}

std::string sound_off_text(std::int32_t v)
{
    if (v == 0)
        return "звук вкл.";
    if (v == 1)
        return "звук выкл.";
    return std::to_string(v);
}

} // namespace

std::vector<ProgramDifference> program_differences(const DeviceProgram& a, const DeviceProgram& b)
{
    std::vector<ProgramDifference> out;
    const auto add = [&out](std::string field, std::string first, std::string second) {
        if (first != second)
            out.push_back({std::move(field), std::move(first), std::move(second)});
    };
    add("weekday_name", quoted(a.weekday_name), quoted(b.weekday_name));
    for (int day = 1; day <= kDays; ++day) {
        const std::string name = weekday_names()[static_cast<std::size_t>(day - 1)];
        for (int k = 1; k <= kIntervals; ++k)
            add(name + ", интервал " + std::to_string(k), interval_text(a, day, k), interval_text(b, day, k));
    }
    add("sound_type", quoted(a.sound_type), quoted(b.sound_type));
    add("fast_pulse_time", quoted(a.fast_pulse_time), quoted(b.fast_pulse_time));
    add("sound_off", sound_off_text(a.sound_off), sound_off_text(b.sound_off));
    const auto first = optics_values(a);
    const auto second = optics_values(b);
    for (std::size_t k = 0; k < first.size(); ++k) {
        if (first[k].value != second[k].value)
            out.push_back({first[k].name, optics_value_text(first[k]), optics_value_text(second[k])});
    }
    return out;
}

} // namespace zuzo
