#include "plans/core/plan_time.h"

#include <gtest/gtest.h>

namespace zuzo {
namespace {

struct ShowCase {
    PlanTime stored;
    bool showable;
    PlanTime shown;
    const char* text;
};

TEST(PlanTime, ShownTimeAndText)
{
    const ShowCase cases[] = {
        {{0, 0}, true, {0, 0}, "00:00"},     {{8, 5}, true, {8, 5}, "08:05"},
        {{23, 59}, true, {23, 59}, "23:59"}, {{24, 0}, false, {0, 0}, "24:00"},
        {{12, 60}, false, {0, 0}, "12:60"},  {{25, 70}, false, {0, 0}, "25:70"},
        {{-1, 5}, false, {0, 0}, "-1:05"},   {{3, -56}, false, {0, 0}, "03:-56"},
        {{127, 0}, false, {0, 0}, "127:00"},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(is_showable_time(c.stored), c.showable);
        EXPECT_EQ(shown_time(c.stored), c.shown);
        EXPECT_EQ(stored_time_text(c.stored), c.text);
    }
}

struct ReadBackCase {
    const char* name;
    PlanTime stored;
    PlanTime shown;
    bool changed_by_user;
    PlanTime expected;
};

TEST(PlanTime, ReadBackKeepsUnshowableTimeOfUntouchedRows)
{
    const ReadBackCase cases[] = {
        {"showable_row_takes_picker", {8, 0}, {8, 0}, false, {8, 0}},
        {"changed_showable_row_takes_picker", {8, 0}, {9, 15}, true, {9, 15}},
        {"untouched_unshowable_row_keeps_store", {25, 70}, {0, 0}, false, {25, 70}},
        {"changed_unshowable_row_takes_picker", {25, 70}, {0, 1}, true, {0, 1}},
        {"untouched_negative_hour_keeps_store", {-3, 0}, {0, 0}, false, {-3, 0}},
    };
    for (const ReadBackCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read_back_time(c.stored, c.shown, c.changed_by_user), c.expected);
    }
}

TEST(PlanTime, ReadBackKeepsSwitchValuesTheBoxAgreesWith)
{
    struct Case {
        int stored;
        bool checked;
        int expected;
    };
    const Case cases[] = {{0, false, 0}, {1, true, 1},  {2, false, 2}, {-1, false, -1},
                          {0, true, 1},  {1, false, 0}, {2, true, 1},  {255, true, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(read_back_enabled(c.stored, c.checked), c.expected) << c.stored << " " << c.checked;
    }
}

TEST(PlanTime, DayOfComboPosition)
{
    const std::pair<int, int> cases[] = {{-1, 0}, {0, 1}, {2, 3}, {6, 7}, {7, 0}, {100, 0}};
    for (const auto& [position, day] : cases) {
        EXPECT_EQ(day_of_position(position), day) << "position " << position;
    }
}

} // namespace
} // namespace zuzo
