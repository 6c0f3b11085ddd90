// What a device is said to hold after an unfinished write: its optics read
// back against what it held before and the file, and the summary of many.

#include "tools/zuzo/device_holds.h"
#include "tools/zuzo/fleet_report.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zuzo;
using namespace zuzo::cli;

namespace {

OpticsBytes filled(std::uint8_t value)
{
    OpticsBytes b;
    b.fill(value);
    return b;
}

// The first twelve bytes (part 1) of one, the rest of the other.
OpticsBytes joined(const OpticsBytes& part1, const OpticsBytes& rest)
{
    OpticsBytes b = rest;
    std::copy(part1.begin(), part1.begin() + 12, b.begin());
    return b;
}

} // namespace

TEST(DeviceHolds, ReadBackAgainstBeforeAndFile)
{
    const OpticsBytes before = filled(1);
    const OpticsBytes file = filled(2);
    OpticsBytes one_byte_off = before;
    one_byte_off[20] = 9;
    const struct {
        const char* name;
        OpticsBytes now;
        OpticsBytes before;
        DeviceHolds holds;
    } rows[] = {
        {"as before", before, before, DeviceHolds::Untouched},
        {"the file", file, before, DeviceHolds::Written},
        {"the file, which it held already", file, file, DeviceHolds::Written},
        {"part 1 over the rest", joined(file, before), before, DeviceHolds::PartWritten},
        {"part 2 alone", joined(before, file), before, DeviceHolds::Other},
        {"one byte neither", one_byte_off, before, DeviceHolds::Other},
        {"part 1, the rest changed", joined(file, one_byte_off), before, DeviceHolds::Other},
    };
    for (const auto& row : rows)
        EXPECT_EQ(compare_held(row.now, row.before, file), row.holds) << row.name;
}

// A write that did not finish says in the summary what its device holds.
TEST(DeviceHolds, SummaryOfUnfinishedWrites)
{
    DeviceRun read_back;
    read_back.command = "write";
    read_back.port = "COM3";
    read_back.outcome = RunOutcome::DeviceFailed;
    read_back.exit_code = 1;
    read_back.holding = {DeviceHolds::PartWritten, true};
    DeviceRun lost = read_back;
    lost.port = "COM4";
    lost.outcome = RunOutcome::LinkBroken;
    lost.holding = {DeviceHolds::Unknown, false};
    DeviceRun missing = read_back;
    missing.port = "COM5";
    missing.outcome = RunOutcome::PortFailed;
    missing.holding = {};
    EXPECT_EQ(fleet_summary({read_back, lost, missing}, false),
              "Итог: успешно 0 из 3; не выполнено: COM3 — нет ответа или отказ (записана только часть 1, "
              "прочитано обратно), COM4 — связь потеряна (неизвестно, прочтите перед использованием), COM5 "
              "— порт не открылся (не изменено); код возврата 1\n");
}
