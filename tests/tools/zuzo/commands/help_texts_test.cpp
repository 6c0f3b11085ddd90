// "zuzo ... --help": each group and subcommand has its own Russian help on
// standard output and exit code 0; other calls are not taken for help.

#include "tools/zuzo/commands/cli.h"
#include "tools/zuzo/commands/help_texts.h"
#include "tools/zuzo/core/help_texts_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zuzo::cli::asks_for_help;
using zuzo::cli::help_text;
using zuzo::cli::run_args;

struct HelpCase {
    std::vector<std::string> args;
    const char* usage_line; // the line that says how this very command is called
};

const HelpCase kHelpCases[] = {
    {{"--help"}, "Использование: zuzo ГРУППА КОМАНДА"},
    {{"-h"}, "Использование: zuzo ГРУППА КОМАНДА"},
    {{"help"}, "Использование: zuzo ГРУППА КОМАНДА"},
    {{"ptm", "--help"}, "Использование: zuzo ptm КОМАНДА"},
    {{"help", "ptm"}, "Использование: zuzo ptm КОМАНДА"},
    {{"ptm", "dump", "--help"}, "Использование: zuzo ptm dump ФАЙЛ.ptm"},
    {{"ptm", "make", "-h"}, "Использование: zuzo ptm make ПРОГРАММА.json ФАЙЛ.ptm"},
    {{"ptm", "check", "x.ptm", "--help"}, "Использование: zuzo ptm check ФАЙЛ.ptm"},
    {{"device", "--help"}, "Использование: zuzo device КОМАНДА"},
    {{"device", "status", "--help"}, "Использование: zuzo device status --port"},
    {{"device", "read", "--help"}, "Использование: zuzo device read --port"},
    {{"help", "device", "write"}, "Использование: zuzo device write --port"},
    {{"device", "verify", "--help"}, "Использование: zuzo device verify --port"},
    {{"ptm", "plan", "export", "--help"}, "Использование: zuzo ptm plan export ФАЙЛ.ptm [ПЛАН.csv]"},
    {{"ptm", "plan", "import", "a.csv", "-h"}, "Использование: zuzo ptm plan import ПЛАН.csv ФАЙЛ.ptm"},
    {{"help", "ptm", "plan"},
     "Использование: zuzo ptm plan export ФАЙЛ.ptm [ПЛАН.csv]\n               zuzo ptm plan import"},
    {{"ptm", "diff", "--help"}, "Использование: zuzo ptm diff ФАЙЛ1.ptm ФАЙЛ2.ptm [--json]"},
    {{"ptm", "plan", "chart", "-h"}, "Использование: zuzo ptm plan chart ФАЙЛ.ptm НЕДЕЛЯ.svg"},
    {{"device", "find", "--help"}, "Использование: zuzo device find [--ports СПИСОК] [--json]"},
    {{"port", "test", "--help"}, "Использование: zuzo port test COMn"},
    {{"nosuch", "--help"}, "Использование: zuzo ГРУППА КОМАНДА"},
};

// The most characters (not bytes) on one line of text.
std::size_t widest_line(const std::string& text)
{
    std::size_t widest = 0;
    std::size_t width = 0;
    for (const char c : text) {
        if (c == '\n')
            width = 0;
        else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) // not a continuation byte
            widest = std::max(widest, ++width);
    }
    return widest;
}

bool has_cyrillic(const std::string& text)
{
    // Cyrillic letters of U+0400..U+04FF start with the bytes D0..D3 in UTF-8.
    for (unsigned char c : text) {
        if (c >= 0xD0 && c <= 0xD3)
            return true;
    }
    return false;
}

TEST(ZuzoHelp, EachGroupAndCommandHasItsOwnHelp)
{
    for (const HelpCase& c : kHelpCases) {
        std::ostringstream out;
        std::ostringstream err;
        std::string call;
        for (const std::string& a : c.args)
            call += a + ' ';
        SCOPED_TRACE(call);
        EXPECT_EQ(run_args(c.args, out, err), 0);
        EXPECT_NE(out.str().find(c.usage_line), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find("Использование:", out.str().find("Использование:") + 1), std::string::npos);
        EXPECT_TRUE(has_cyrillic(out.str()));
        EXPECT_TRUE(err.str().empty()) << err.str();
        EXPECT_EQ(out.str().back(), '\n');
        // An 80-column console wraps a longer line.
        EXPECT_LE(widest_line(out.str()), 79u) << out.str();
    }
}

TEST(ZuzoHelp, SubcommandHelpsDiffer)
{
    std::set<std::string> texts;
    for (const HelpCase& c : kHelpCases)
        texts.insert(help_text(c.args));
    // overview, ptm, dump, make, check, plan, plan export, plan import,
    // device, status, read, write, verify, diff, plan chart, find, port test
    EXPECT_EQ(texts.size(), 17u);
}

TEST(ZuzoHelp, DeviceHelpsNameTheirOptions)
{
    for (const char* command : {"status", "read", "write", "verify"}) {
        const std::string text = help_text({"device", command});
        EXPECT_NE(text.find(std::string("--port ") + zuzo::cli::system_help::kPort), std::string::npos)
            << command;
        EXPECT_NE(text.find("--on-eeprom-fault=repeat|skip|break"), std::string::npos) << command;
        EXPECT_NE(text.find("--ports СПИСОК"), std::string::npos) << command;
    }
    EXPECT_NE(help_text({"device", "read"}).find("--into"), std::string::npos);
    for (const char* command : {"", "read", "write", "verify"}) {
        const std::string text = help_text({"device", command});
        EXPECT_NE(text.find("--journal ЖУРНАЛ.csv"), std::string::npos) << command;
        EXPECT_NE(text.find("3 — настройки в устройстве отличаются от файла"), std::string::npos) << command;
    }
}

TEST(ZuzoHelp, OnlyHelpWordsAskForHelp)
{
    const struct {
        std::vector<std::string> args;
        bool help;
    } cases[] = {
        {{}, false},
        {{"ptm", "dump", "a.ptm"}, false},
        {{"ptm", "dump", "help"}, false}, // a file may be called "help"
        {{"device", "status", "--port", "COM1"}, false},
        {{"--helpful"}, false},
        {{"help"}, true},
        {{"ptm", "-h"}, true},
        {{"device", "write", "--port", "COM1", "a.ptm", "--help"}, true},
    };
    for (const auto& c : cases) {
        std::string call;
        for (const std::string& a : c.args)
            call += a + ' ';
        EXPECT_EQ(asks_for_help(c.args), c.help) << call;
    }
}

TEST(ZuzoHelp, BadUseStillFails)
{
    std::ostringstream out;
    std::ostringstream err;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"ptm", "dump"},
                                               {"port", "test"},
                                               {"port", "test", "COM1", "COM2"},
                                               {"port", "probe", "COM1"},
                                               {"device", "find", "--port", "COM1"},
                                               {"device", "find", "--ports", "COM3-COM1"}}) {
        out.str({});
        err.str({});
        EXPECT_EQ(run_args(args, out, err), 2) << args[0] << ' ' << args[1];
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(err.str().empty());
    }
}

} // namespace
