// COM names on Windows: the device a COM name opens and the port keys of the
// system's list.

#include "link/core/port_names.h"

#include <gtest/gtest.h>

using namespace zuzo;

TEST(PortNamesOnWindows, ComNamesOpenTheirDevice)
{
    const struct {
        const char* name;
        const char* opened;
    } cases[] = {{"COM1", "\\\\.\\COM1"},
                 {"com9", "\\\\.\\COM9"},
                 {"COM12", "\\\\.\\COM12"},
                 {"Com200", "\\\\.\\COM200"},
                 {"COM201", ""},
                 {"COM0", ""},
                 {"LPT1", ""},
                 {"\\\\.\\COM3", ""},
                 {"/dev/ttyS0", ""},
                 {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(resolve_port(c.name, ""), c.opened) << c.name;
        // There are no virtual ports: a folder changes nothing.
        EXPECT_EQ(resolve_port(c.name, "C:\\ports"), c.opened) << c.name;
    }
}

TEST(PortNamesOnWindows, NoVirtualPortFolder)
{
    EXPECT_EQ(virtual_port_folder(), "");
}

TEST(PortNamesOnWindows, KeyIsThePartAfterTheLastBackslash)
{
    EXPECT_EQ(port_key({"\\Device\\Serial0", "COM1"}), "Serial0  COM1");
    EXPECT_EQ(port_key({"\\Device\\USBSER000", "Com7"}), "USBSER000  Com7");
    // A slash is an ordinary character of a device name here.
    EXPECT_EQ(port_key({"\\Device\\a/b", "COM3"}), "a/b  COM3");
    EXPECT_EQ(port_key({"\\Device\\Parallel0", "LPT1"}), "");
}
