#include "plans/core/plan_copy.h"

#include <gtest/gtest.h>

#include <string>

namespace zuzo {
namespace {

// Every cell of every table distinct, so a copy from the wrong row shows.
DeviceProgram distinct_program()
{
    DeviceProgram p;
    for (int d = 0; d <= kDays; ++d) {
        for (int i = 0; i <= kIntervals; ++i) {
            p.plan_enabled[d][i] = (d + i) % 2;
            p.plan_hour[d][i] = d * 2 + i;
            p.plan_minute[d][i] = d * 5 + i;
            p.plan_volume[d][i] = d * 100 + i;
        }
    }
    return p;
}

void expect_day_equals(const DeviceProgram& got, int day, const DeviceProgram& src, int src_day)
{
    for (int i = 1; i <= kIntervals; ++i) {
        EXPECT_EQ(got.plan_enabled[day][i], src.plan_enabled[src_day][i]) << day << "/" << i;
        EXPECT_EQ(got.plan_hour[day][i], src.plan_hour[src_day][i]) << day << "/" << i;
        EXPECT_EQ(got.plan_minute[day][i], src.plan_minute[src_day][i]) << day << "/" << i;
        EXPECT_EQ(got.plan_volume[day][i], src.plan_volume[src_day][i]) << day << "/" << i;
    }
}

struct CopyCase {
    const char* name;
    int source;
    std::array<bool, kDays> targets;
    bool copied;
};

class PlanCopyTable : public ::testing::TestWithParam<CopyCase> {};

TEST_P(PlanCopyTable, CopiesSourceOntoTargetsOnly)
{
    const CopyCase& c = GetParam();
    const DeviceProgram before = distinct_program();
    DeviceProgram p = before;

    EXPECT_EQ(copy_time_params(p, c.source, c.targets), c.copied);

    for (int day = 1; day <= kDays; ++day) {
        const bool target = c.copied && c.targets[day - 1];
        expect_day_equals(p, day, before, target ? c.source : day);
    }
    // Row 0 and column 0 stay as they were.
    for (int d = 0; d <= kDays; ++d) {
        EXPECT_EQ(p.plan_volume[d][0], before.plan_volume[d][0]);
        EXPECT_EQ(p.plan_enabled[d][0], before.plan_enabled[d][0]);
    }
    EXPECT_EQ(p.plan_hour[0], before.plan_hour[0]);
    EXPECT_EQ(p.plan_volume[0], before.plan_volume[0]);
}

constexpr bool X = true;
constexpr bool o = false;

const CopyCase kCopyCases[] = {
    {"monday_to_tuesday_and_friday", 1, {o, X, o, o, X, o, o}, true},
    {"wednesday_to_itself_and_thursday", 3, {o, o, X, X, o, o, o}, true},
    {"onto_itself_only_counts", 4, {o, o, o, X, o, o, o}, true},
    {"sunday_to_all", 7, {X, X, X, X, X, X, X}, true},
    {"no_target", 2, {o, o, o, o, o, o, o}, false},
    {"no_source", 0, {X, X, o, o, o, o, o}, false},
    {"source_past_sunday", 8, {X, o, o, o, o, o, o}, false},
    {"negative_source", -1, {X, o, o, o, o, o, o}, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlanCopyTable, ::testing::ValuesIn(kCopyCases),
                         [](const ::testing::TestParamInfo<CopyCase>& case_info) {
                             return std::string(case_info.param.name);
                         });

TEST(PlanCopy, SourceWithDuplicateTimesIsCopiedAsItIs)
{
    DeviceProgram p;
    for (const int i : {1, 2}) {
        p.plan_enabled[1][i] = 1;
        p.plan_hour[1][i] = 8;
        p.plan_volume[1][i] = 150;
    }
    EXPECT_TRUE(copy_time_params(p, 1, {false, false, false, false, false, true, false}));
    expect_day_equals(p, 6, p, 1);
}

} // namespace
} // namespace zuzo
