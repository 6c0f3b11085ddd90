// COM names and port keys: the same on every platform.

#include "link/core/port_list.h"
#include "link/core/port_names.h"

#include <gtest/gtest.h>

using namespace zuzo;

TEST(ComNames, NumberOfName)
{
    const struct {
        const char* name;
        int n;
    } cases[] = {{"COM1", 1}, {"com7", 7},       {"Com12", 12}, {"COM200", 200}, {"COM201", 0},
                 {"COM0", 0}, {"COM01", 0},      {"COM", 0},    {"COM-1", 0},    {"COM 1", 0},
                 {"LPT1", 0}, {"/dev/ttyS0", 0}, {"", 0},       {"COM3x", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(com_number(c.name), c.n) << c.name;
}

TEST(ComNames, NameOfNumberReadsBack)
{
    for (int n = kComFirst; n <= kComLast; ++n)
        EXPECT_EQ(com_number(com_name(n)), n);
}

TEST(PortKey, OnlyNamesBeginningWithComCount)
{
    const struct {
        const char* port;
        bool counts;
    } cases[] = {{"COM1", true}, {"com3", true}, {"Com7", true},   {"cOM", true},   {"LPT1", false},
                 {"CO", false},  {"", false},    {" COM1", false}, {"CNCA0", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(begins_with_com(c.port), c.counts) << c.port;
        EXPECT_EQ(port_key({"Serial0", c.port}).empty(), !c.counts) << c.port;
    }
}

TEST(PortKey, ABareDeviceNameIsKeptWhole)
{
    EXPECT_EQ(port_key({"Serial0", "COM1"}), "Serial0  COM1");
    EXPECT_EQ(port_key({"ttyS0", "com1"}), "ttyS0  com1");
}

TEST(PortKey, TheKeyStartsAfterTheLastSeparator)
{
    const std::string separator(1, device_path_separator()[0]);
    const PortEntry entry{separator + "a" + separator + "b" + separator + "ttyUSB0", "COM33"};
    EXPECT_EQ(port_key(entry), "ttyUSB0  COM33");
}
