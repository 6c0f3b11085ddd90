// The device clock against the computer's: whole seconds, positive ahead;
// no offset for a date that does not exist.

#include "link/core/clock_offset.h"

#include <gtest/gtest.h>

using namespace zuzo;

namespace {

// The device clock showing the local time of t.
DeviceClock clock_at(std::time_t t)
{
    const std::tm local = *std::localtime(&t); // one thread here
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 1,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace

TEST(ClockOffset, SecondsAheadOrBehind)
{
    const std::time_t now = 1796000000; // December 2026
    for (const long long ahead : {0LL, 1LL, -1LL, 90LL, -3600LL, 86400LL * 40})
        EXPECT_EQ(clock_offset_seconds(clock_at(now + static_cast<std::time_t>(ahead)), now), ahead) << ahead;
}

TEST(ClockOffset, NoOffsetForADateThatDoesNotExist)
{
    const std::time_t now = 1796000000;
    const struct {
        const char* what;
        DeviceClock clock;
    } rows[] = {
        {"hour 24", {2026, 12, 7, 1, 24, 0, 0}},
        {"31 April", {2026, 4, 31, 4, 12, 0, 0}},
        {"29 February of a common year", {2027, 2, 29, 1, 12, 0, 0}},
    };
    for (const auto& row : rows)
        EXPECT_FALSE(clock_offset_seconds(row.clock, now).has_value()) << row.what;
    EXPECT_TRUE(clock_offset_seconds({2028, 2, 29, 2, 12, 0, 0}, now).has_value()); // a leap year
}
