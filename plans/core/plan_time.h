#pragma once
// How stored interval values meet the row controls. A time picker can show
// only 00:00..23:59; a time from a file may lie outside that (hour 25, minute
// 70): the picker then shows 00:00, and reading the rows back keeps the
// stored value unless the user changed that very row. Likewise a switch value
// other than 0 and 1 (off, as 0 is) survives the read-back of its box.

#include <cstdint>
#include <string>

namespace zuzo {

struct PlanTime {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    bool operator==(const PlanTime&) const = default;
};

// Whether a picker can show the time as it is.
[[nodiscard]] bool is_showable_time(PlanTime stored);

// What the picker shows for a stored time: the time itself, or 00:00.
[[nodiscard]] PlanTime shown_time(PlanTime stored);

// The time to store when the rows are read back: what the picker shows,
// except that an unshowable stored time survives a read-back caused by a
// change on another row.
[[nodiscard]] PlanTime read_back_time(PlanTime stored, PlanTime shown, bool changed_by_user);

// The switch value to store when the rows are read back: the stored value
// while the box shows what it means (ticked exactly for 1), else 1 or 0.
[[nodiscard]] std::int32_t read_back_enabled(std::int32_t stored, bool checked);

// "HH:MM" for a stored time, any value, e.g. "25:70" or "-1:05".
[[nodiscard]] std::string stored_time_text(PlanTime stored);

// The day index shown for a WeekdayCombo position: position + 1 for 0..6,
// 0 (no day) for anything else, such as -1 when nothing is selected.
[[nodiscard]] int day_of_position(int position);

} // namespace zuzo
