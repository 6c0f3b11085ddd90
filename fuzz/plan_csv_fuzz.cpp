// The plan table reader on any bytes: no crash, no undefined behaviour; a
// refused table names a line (or has no row at all), says why on one line
// and changes nothing; an accepted one changes only the plan, with every
// value that a program file can hold, and comes back the same through the
// writer.

#include "fuzz/fuzz_check.h"
#include "plans/core/plan_csv.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    DeviceProgram program;
    program.weekday_name = "sentinel";
    program.plan_volume[3][3] = 33;
    const DeviceProgram before = program;
    const PlanCsvResult r = read_plan_csv(text, program);
    if (r.status != PlanCsvStatus::Ok) {
        FUZZ_CHECK(program == before);
        FUZZ_CHECK((r.line >= 1) == (r.status == PlanCsvStatus::Malformed) && !r.error.empty());
        FUZZ_CHECK(r.error.find_first_of("\r\n") == std::string::npos);
        return 0;
    }

    DeviceProgram plan_only = program;
    plan_only.plan_enabled = before.plan_enabled;
    plan_only.plan_hour = before.plan_hour;
    plan_only.plan_minute = before.plan_minute;
    plan_only.plan_volume = before.plan_volume;
    FUZZ_CHECK(plan_only == before);
    for (int d = 1; d <= kDays; ++d) {
        for (int i = 1; i <= kIntervals; ++i) {
            FUZZ_CHECK(program.plan_enabled[d][i] == 0 || program.plan_enabled[d][i] == 1);
            FUZZ_CHECK(program.plan_hour[d][i] >= 0 && program.plan_hour[d][i] <= 23);
            FUZZ_CHECK(program.plan_minute[d][i] >= 0 && program.plan_minute[d][i] <= 59);
            FUZZ_CHECK(program.plan_volume[d][i] >= -128 && program.plan_volume[d][i] <= 127);
        }
    }
    DeviceProgram again = before;
    FUZZ_CHECK(read_plan_csv(write_plan_csv(program), again).status == PlanCsvStatus::Ok);
    FUZZ_CHECK(again == program);
    return 0;
}
