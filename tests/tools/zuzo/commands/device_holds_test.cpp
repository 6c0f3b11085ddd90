// What a device is said to hold after an unfinished write: its optics read
// back against what it held before and the file (the simulator cannot hold
// "other" settings; the fault matrix checks the rest against the device).

#include "tools/zuzo/commands/device_holds.h"

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
