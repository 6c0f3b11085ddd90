// The ports of --ports, and which exit code of many counts as the worst.

#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/port_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zuzo::cli;

TEST(PortSet, ListsRangesAndRefusals)
{
    const struct {
        const char* list;
        std::vector<std::string> ports; // empty: refused
        const char* problem;            // the start of the refusal
    } rows[] = {
        {"COM3,COM4,COM7-COM10", {"COM3", "COM4", "COM7", "COM8", "COM9", "COM10"}, ""},
        {"com3, Com4 ,COM5-COM5", {"COM3", "COM4", "COM5"}, ""},
        {"/dev/ttyUSB0,COM33", {"/dev/ttyUSB0", "COM33"}, ""},
        {"COM3,COM4,COM3", {}, "порт COM3 указан в списке дважды"},
        {"COM3-COM5,COM4", {}, "порт COM4 указан в списке дважды"},
        {"COM10-COM7", {}, "COM10-COM7: диапазон задан в обратном порядке, нужно COM7-COM10"},
        {"COM3-5", {}, "COM3-5: диапазон портов задается как COMa-COMb"},
        {"COM0,COM3", {}, "COM0: нет такого порта"},
        {"COM201", {}, "COM201: нет такого порта"},
        {"COM3,,COM4", {}, "в списке портов пустой элемент"},
        {"COM3,", {}, "в списке портов пустой элемент"},
        {"COM1-COM200", {}, "портов в списке больше 64"},
        {"COM1-COM64", {}, ""}, // the most at once
    };
    for (const auto& row : rows) {
        const PortSet set = parse_port_set(row.list);
        EXPECT_EQ(set.problem.rfind(row.problem, 0), 0u) << row.list << ": " << set.problem;
        EXPECT_EQ(set.problem.empty(), std::string(row.problem).empty()) << row.list;
        if (!row.ports.empty()) {
            EXPECT_EQ(set.ports, row.ports) << row.list;
        }
    }
    EXPECT_EQ(parse_port_set("COM1-COM64").ports.size(), 64u);
}

// 130 (stopped), 2, 1, 3, 4, 0: the worse wins in either order.
TEST(ExitCodes, TheWorseOfTwo)
{
    const int order[] = {EXIT_OK, EXIT_CLOCK, EXIT_DIFFERS, EXIT_DEVICE, EXIT_ERROR, EXIT_STOPPED};
    for (std::size_t better = 0; better < std::size(order); ++better) {
        for (std::size_t worse = better; worse < std::size(order); ++worse) {
            EXPECT_EQ(worse_exit_code(order[better], order[worse]), order[worse]);
            EXPECT_EQ(worse_exit_code(order[worse], order[better]), order[worse]);
        }
    }
}
