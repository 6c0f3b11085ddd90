#include "tools/zuzo/commands/ptm_check.h"

#include "plans/core/plan_check.h"
#include "program/core/optics_range.h"
#include "program/core/optics_rules.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

namespace zuzo::cli {
namespace {

constexpr std::array<const char*, kChannels + 1> kChannelNames = {
    "", "Модуль, красный", "Модуль, зеленый", "Модуль, желтый", "Индикатор, красный", "Индикатор, зеленый"};

bool switched_on(const DeviceProgram& p, int day, int interval)
{
    return p.plan_enabled[day][interval] == 1;
}

// "интервал 3", "интервалы 1 и 2", "интервалы 1, 5 и 7".
std::string intervals_text(const std::vector<int>& intervals)
{
    std::string text = intervals.size() == 1 ? "интервал " : "интервалы ";
    for (std::size_t k = 0; k < intervals.size(); ++k) {
        if (k > 0)
            text += k + 1 == intervals.size() ? " и " : ", ";
        text += std::to_string(intervals[k]);
    }
    return text;
}

// Two digits as the time pickers show them; a value from a file outside
// 0..99 is shown as it is.
std::string clock_field(std::int32_t value)
{
    std::string text = std::to_string(value);
    if (value >= 0 && value < 10)
        text.insert(text.begin(), '0');
    return text;
}

int print_volume_faults(const DeviceProgram& p, int day, std::ostream& out)
{
    std::vector<int> found;
    for (int i = 1; i <= kIntervals; ++i) {
        if (switched_on(p, day, i) && (p.plan_volume[day][i] < 0 || p.plan_volume[day][i] > 100))
            found.push_back(i);
    }
    if (found.empty())
        return 0;
    out << weekday_names()[static_cast<std::size_t>(day - 1)] << ", " << intervals_text(found) << ": "
        << volume_range_message() << '\n';
    return 1;
}

int print_duplicate_faults(const DeviceProgram& p, int day, std::ostream& out)
{
    int lines = 0;
    std::array<bool, kIntervals + 1> told{};
    for (int i = 1; i <= kIntervals; ++i) {
        if (told[static_cast<std::size_t>(i)] || !switched_on(p, day, i))
            continue;
        std::vector<int> same{i};
        for (int j = i + 1; j <= kIntervals; ++j) {
            if (switched_on(p, day, j) && p.plan_hour[day][j] == p.plan_hour[day][i] &&
                p.plan_minute[day][j] == p.plan_minute[day][i]) {
                same.push_back(j);
                told[static_cast<std::size_t>(j)] = true;
            }
        }
        if (same.size() < 2)
            continue;
        out << weekday_names()[static_cast<std::size_t>(day - 1)] << ", " << clock_field(p.plan_hour[day][i])
            << ':' << clock_field(p.plan_minute[day][i]) << ", " << intervals_text(same) << ": "
            << duplicate_intervals_message() << '\n';
        ++lines;
    }
    return lines;
}

} // namespace

std::string one_line(std::string_view text)
{
    std::string line;
    for (char c : text) {
        if (c != '\n')
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

int print_range_faults(const DeviceProgram& program, std::ostream& out)
{
    const std::vector<OpticsValue> inexact = inexact_optics_values(program);
    for (const OpticsValue& v : inexact)
        out << v.name << ": " << travel_problem(v) << '\n';
    return static_cast<int>(inexact.size());
}

int print_range_warnings(const DeviceProgram& program, std::ostream& out)
{
    const std::vector<OpticsValue> high = thresholds_beyond_editor(program);
    for (const OpticsValue& v : high)
        out << "Предупреждение: " << v.name << ": " << v.value << " Lux больше " << kLuxEditHighest
            << " Lux, наибольшего порога, который можно ввести в программе\n";
    return static_cast<int>(high.size());
}

int print_optics_faults(const DeviceProgram& program, std::ostream& out)
{
    int lines = 0;
    const OpticsCodes codes = run_optics_rules(program);
    for (int c = 1; c <= kChannels; ++c) {
        const int code = codes.channel[static_cast<std::size_t>(c)];
        if (code == OPTICS_OK)
            continue;
        out << kChannelNames[static_cast<std::size_t>(c)] << ": "
            << one_line(explain_optics_code(code, is_indicator_channel(c)).text) << '\n';
        ++lines;
    }
    if (codes.lux != OPTICS_OK) {
        out << "Пороги освещенности: " << one_line(explain_optics_code(codes.lux, false).text) << '\n';
        ++lines;
    }
    return lines;
}

int print_plan_faults(const DeviceProgram& program, std::ostream& out)
{
    int lines = 0;
    for (int d = 1; d <= kDays; ++d) {
        // The tool's own check decides whether a day fails; the lines say where.
        if (check_plan_day(program, d) == PlanFault::None)
            continue;
        lines += print_volume_faults(program, d, out);
        lines += print_duplicate_faults(program, d, out);
    }
    return lines;
}

} // namespace zuzo::cli
