#include "plans/core/plan_check.h"

#include "support/sample_programs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zuzo {
namespace {

struct Interval {
    int index;
    int enabled;
    int hour;
    int minute;
    int volume;
};

DeviceProgram program_with(int day, const std::vector<Interval>& intervals)
{
    DeviceProgram p;
    for (const Interval& in : intervals)
        set_interval(p, {day, in.index, in.enabled, in.hour, in.minute, in.volume});
    return p;
}

struct CheckCase {
    const char* name;
    std::vector<Interval> intervals;
    PlanFault expected;
};

class PlanCheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PlanCheckTable, ChecksEveryWeekdayAlike)
{
    const CheckCase& c = GetParam();
    for (int day = 1; day <= kDays; ++day) {
        const DeviceProgram p = program_with(day, c.intervals);
        EXPECT_EQ(check_plan_day(p, day), c.expected) << "day " << day;
    }
}

const CheckCase kCheckCases[] = {
    {"empty_plan", {}, PlanFault::None},
    {"two_on_at_0800", {{1, 1, 8, 0, 50}, {2, 1, 8, 0, 50}}, PlanFault::Duplicate},
    {"pair_far_apart", {{1, 1, 8, 0, 50}, {12, 1, 8, 0, 50}}, PlanFault::Duplicate},
    {"same_hour_other_minute", {{1, 1, 8, 0, 50}, {2, 1, 8, 1, 50}}, PlanFault::None},
    {"same_minute_other_hour", {{1, 1, 8, 30, 50}, {2, 1, 9, 30, 50}}, PlanFault::None},
    {"off_interval_at_same_time", {{1, 1, 8, 0, 50}, {2, 0, 8, 0, 50}}, PlanFault::None},
    {"enabled_two_is_not_on", {{1, 1, 8, 0, 50}, {2, 2, 8, 0, 50}}, PlanFault::None},
    {"enabled_minus_one_is_not_on", {{1, -1, 8, 0, 50}, {2, 1, 8, 0, 50}}, PlanFault::None},
    {"all_off_at_midnight", {{1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {3, 0, 0, 0, 0}}, PlanFault::None},
    {"volume_0_valid", {{1, 1, 8, 0, 0}}, PlanFault::None},
    {"volume_100_valid", {{1, 1, 8, 0, 100}}, PlanFault::None},
    {"volume_101_fault", {{1, 1, 8, 0, 101}}, PlanFault::Volume},
    {"volume_minus_1_fault", {{1, 1, 8, 0, -1}}, PlanFault::Volume},
    {"volume_150_fault", {{7, 1, 8, 0, 150}}, PlanFault::Volume},
    {"off_volume_120_ignored", {{1, 0, 8, 0, 120}}, PlanFault::None},
    {"off_negative_volume_ignored", {{1, 0, 8, 0, -5}}, PlanFault::None},
    {"volume_replaces_duplicate", {{1, 1, 8, 0, 50}, {2, 1, 8, 0, 50}, {3, 1, 9, 0, 150}}, PlanFault::Volume},
    {"duplicate_with_bad_volume_on_pair", {{1, 1, 8, 0, 150}, {2, 1, 8, 0, 50}}, PlanFault::Volume},
    {"out_of_range_hours_compared_plainly", {{4, 1, 25, 70, 10}, {5, 1, 25, 70, 10}}, PlanFault::Duplicate},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlanCheckTable, ::testing::ValuesIn(kCheckCases),
                         [](const ::testing::TestParamInfo<CheckCase>& case_info) {
                             return std::string(case_info.param.name);
                         });

TEST(PlanCheck, OnlyTheCheckedDayCounts)
{
    DeviceProgram p = program_with(3, {{1, 1, 8, 0, 50}, {2, 1, 8, 0, 50}, {4, 1, 9, 0, 300}});
    for (int day = 1; day <= kDays; ++day) {
        EXPECT_EQ(check_plan_day(p, day), day == 3 ? PlanFault::Volume : PlanFault::None) << "day " << day;
    }
}

TEST(PlanCheck, DaysOutsideTheWeekAreNeverChecked)
{
    DeviceProgram p;
    // Faults planted in the unused row 0 and column 0 of the tables.
    for (int i = 0; i <= kIntervals; ++i) {
        p.plan_enabled[0][i] = 1;
        p.plan_volume[0][i] = 500;
    }
    for (int day = 0; day <= kDays; ++day) {
        p.plan_enabled[day][0] = 1;
        p.plan_volume[day][0] = 500;
    }
    for (const int day : {-1, 0, 8, 100}) {
        EXPECT_EQ(check_plan_day(p, day), PlanFault::None) << "day " << day;
    }
    for (int day = 1; day <= kDays; ++day) {
        EXPECT_EQ(check_plan_day(p, day), PlanFault::None) << "interval 0 of day " << day;
    }
}

TEST(PlanCheck, MessagesAreTheToolsOwnTexts)
{
    EXPECT_STREQ(duplicate_intervals_message(), "Задано несколько, одинаковых, временных интервалов");
    EXPECT_STREQ(volume_range_message(), "Уровень громкости вне диапазона 0..100%");
}

} // namespace
} // namespace zuzo
