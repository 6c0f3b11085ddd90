// On Windows the companion's help speaks Windows: COM ports, cmd's loop and
// the user manual help.chm. Fault: a Windows build showing a Linux line (a
// manual page, a device path, a bash loop) that a technician cannot use.

#include "tools/zuzo/commands/help_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zuzo::cli::help_text;

TEST(ZuzoHelpWindows, NamesWindowsPortsShellAndManual)
{
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"ptm"},
        {"device"},
        {"device", "status"},
        {"device", "read"},
        {"device", "write"},
        {"device", "verify"},
    };
    for (const auto& call : calls) {
        const std::string text = help_text(call);
        for (const char* linux_only : {"man zuzo", "/dev/", "ПУТЬ", "; do", "$p"})
            EXPECT_EQ(text.find(linux_only), std::string::npos) << linux_only << " in\n" << text;
    }
    EXPECT_NE(help_text({}).find("help.chm"), std::string::npos);
    EXPECT_NE(help_text({"device"}).find("for %p in (COM3 COM4) do"), std::string::npos);
}

} // namespace
