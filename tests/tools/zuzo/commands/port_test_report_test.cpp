// What "zuzo port test" makes of the round trips it measured: the cases a
// loopback simulator does not produce (bytes changed or lost, too much
// latency for the reply wait).

#include "tools/zuzo/commands/port_test_report.h"

#include <gtest/gtest.h>

using namespace zuzo::cli;

TEST(PortTestReport, VerdictFromTheRoundTrips)
{
    const struct {
        const char* name;
        LoopTrip trip;     // every trip of the test alike
        std::size_t trips; // how many
        LoopVerdict verdict;
        const char* says; // a piece of the block
    } rows[] = {
        {"intact, 16 ms held", {16, 16, 0, 0, 32.0}, 64, LoopVerdict::Good, "ожидание соблюдается с запасом"},
        {"a byte changed each trip", {16, 16, 1, 0, 20.0}, 64, LoopVerdict::Damaged, "искажено 64"},
        {"noise between patterns", {16, 16, 0, 1, 20.0}, 64, LoopVerdict::Damaged, "лишних 64"},
        {"echo broke off", {16, 5, 0, 0, 0.0}, 1, LoopVerdict::Damaged, "потеряно 11"},
        {"held 270 ms", {16, 16, 0, 0, 287.0}, 64, LoopVerdict::TooSlow, "ожидание не соблюдается"},
        {"nothing back", {16, 0, 0, 0, 0.0}, 1, LoopVerdict::NothingBack, "не вернулось ничего"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopTest test;
        test.port = "COM5";
        test.trips.assign(row.trips, row.trip);
        const LoopJudgement j = judge_loop(test);
        EXPECT_EQ(j.verdict, row.verdict);
        EXPECT_EQ(loop_exit_code(j), row.verdict == LoopVerdict::Good ? 0 : 1);
        EXPECT_NE(loop_text(test, j).find(row.says), std::string::npos) << loop_text(test, j);
    }
}
