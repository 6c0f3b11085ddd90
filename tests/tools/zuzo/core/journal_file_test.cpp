// The journal file on this system's own calls: what is on disk after
// opening and adding rows, a file that someone else also adds to, and the
// places it cannot be opened. The Windows cross-check runs these under Wine.

#include "program/core/file_store.h"
#include "tools/zuzo/core/journal_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using zuzo::cli::JournalFile;

const std::string kFirstRows = "Дата;Порт\r\n";

// A fresh folder of its own, named in Cyrillic like the technicians' folders.
fs::path fresh_folder(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / zuzo::path_from_utf8("журналы-" + name);
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct JournalCase {
    const char* name;
    std::optional<std::string> before; // the file before opening; none: missing
    std::vector<std::string> rows;
    std::string after;
};

const std::vector<JournalCase> kJournalCases = {
    {"NewFileGetsFirstRows", std::nullopt, {}, kFirstRows},
    {"RowsFollowFirstRows", std::nullopt, {"1;COM3\r\n", "2;COM4\r\n"}, kFirstRows + "1;COM3\r\n2;COM4\r\n"},
    {"EmptyFileGetsFirstRows", "", {"1;COM3\r\n"}, kFirstRows + "1;COM3\r\n"},
    {"KeptFileIsNotStartedAgain",
     kFirstRows + "1;COM3\r\n",
     {"2;COM4\r\n"},
     kFirstRows + "1;COM3\r\n2;COM4\r\n"},
    {"CutLastRowGetsALineBreak", kFirstRows + "1;CO", {"2;COM4\r\n"}, kFirstRows + "1;CO\r\n2;COM4\r\n"},
    {"LineFeedEndIsKept", "a\n", {"2;COM4\r\n"}, "a\n2;COM4\r\n"},
};

class JournalOnDisk : public ::testing::TestWithParam<JournalCase> {};

TEST_P(JournalOnDisk, HoldsEveryRowOnce)
{
    const JournalCase& c = GetParam();
    const fs::path file = fresh_folder(c.name) / zuzo::path_from_utf8("журнал.csv");
    if (c.before) {
        std::ofstream(file, std::ios::binary) << *c.before;
    }
    {
        JournalFile journal;
        ASSERT_TRUE(journal.open(file, kFirstRows).done());
        for (const std::string& row : c.rows)
            ASSERT_TRUE(journal.append(row).done());
    }
    EXPECT_EQ(contents(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(Files, JournalOnDisk, ::testing::ValuesIn(kJournalCases),
                         [](const ::testing::TestParamInfo<JournalCase>& case_info) {
                             return case_info.param.name;
                         });

// Two runs writing one journal at once: each row goes to the end, none over
// another's.
TEST(JournalShared, RowsOfTwoWritersFollowEachOther)
{
    const fs::path file = fresh_folder("shared") / "j.csv";
    JournalFile first;
    JournalFile second;
    ASSERT_TRUE(first.open(file, kFirstRows).done());
    ASSERT_TRUE(second.open(file, kFirstRows).done());
    ASSERT_TRUE(first.append("1;COM3\r\n").done());
    ASSERT_TRUE(second.append("2;COM4\r\n").done());
    ASSERT_TRUE(first.append("3;COM3\r\n").done());
    EXPECT_EQ(contents(file), kFirstRows + "1;COM3\r\n2;COM4\r\n3;COM3\r\n");
}

TEST(JournalRefused, NothingIsWrittenWhereItCannotOpen)
{
    const fs::path folder = fresh_folder("refused");
    for (const fs::path& file : {folder / "missing" / "j.csv", folder}) {
        JournalFile journal;
        EXPECT_FALSE(journal.open(file, kFirstRows).done()) << file;
        EXPECT_FALSE(journal.append("1;COM3\r\n").done()) << file;
    }
    JournalFile never_opened;
    EXPECT_FALSE(never_opened.append("1;COM3\r\n").done());
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

} // namespace
