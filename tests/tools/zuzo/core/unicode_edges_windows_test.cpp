// What a Windows user types reaches the file system whole, whatever the code
// page (the cross-check runs this under Wine with code page 1251, where the
// ANSI arguments of main() turn "план.ptm" into the bytes EF EB E0 ED): the
// companion's words come from the wide command line, its files are named in
// wide characters, and its output keeps a table's CR LF. A save meets files
// that another program holds open.

#include "program/core/file_causes.h"
#include "program/core/file_store.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/console.h"
#include "tools/zuzo/core/console_windows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct EdgeCase {
    const char* name;
    const wchar_t* command_line;
    std::vector<std::string> words; // UTF-8
    const wchar_t* file;            // the last word, as the system lists it
};

const std::vector<EdgeCase> kEdgeCases = {
    {"Cyrillic",
     L"zuzo.exe ptm make план.json план.ptm",
     {"ptm", "make", "план.json", "план.ptm"},
     L"план.ptm"},
    {"QuotedWithBlanks",
     L"\"C:\\Program Files\\zuzo.exe\" ptm check \"Отчёт за май.ptm\"",
     {"ptm", "check", "Отчёт за май.ptm"},
     L"Отчёт за май.ptm"},
    {"CapitalYo",
     L"zuzo plan import ПЛАН.csv Ёлка.ptm",
     {"plan", "import", "ПЛАН.csv", "Ёлка.ptm"},
     L"Ёлка.ptm"},
    {"Outside1251", L"zuzo ptm dump Straße½№7.ptm", {"ptm", "dump", "Straße½№7.ptm"}, L"Straße½№7.ptm"},
};

// A fresh folder of its own, itself named in Cyrillic.
fs::path fresh_folder(const char* name)
{
    const fs::path folder = fs::temp_directory_path() / L"проверка" / name;
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder;
}

// The names in a folder as the system itself lists them.
std::vector<std::wstring> names_in(const fs::path& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class UnicodeEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(UnicodeEdges, TypedNameReachesTheFileWhole)
{
    const EdgeCase& c = GetParam();
    const std::vector<std::string> words = zuzo::cli::words_from_command_line(c.command_line);
    ASSERT_EQ(words, c.words);
    const fs::path folder = fresh_folder(c.name);
    const std::string file = zuzo::utf8_from_path(folder) + "\\" + words.back();
    ASSERT_TRUE(zuzo::cli::write_output(file, Bytes{'1'}).done());      // created
    ASSERT_TRUE(zuzo::cli::write_output(file, Bytes{'2', '2'}).done()); // replaced
    EXPECT_EQ(names_in(folder), std::vector<std::wstring>{c.file});
    Bytes back;
    ASSERT_TRUE(zuzo::cli::read_input(file, back, zuzo::cli::InputKind::Program).done());
    EXPECT_EQ(back, (Bytes{'2', '2'}));
    EXPECT_TRUE(fs::exists(zuzo::path_from_utf8(file))); // what "plan import" asks
}

INSTANTIATE_TEST_SUITE_P(Names, UnicodeEdges, ::testing::ValuesIn(kEdgeCases),
                         [](const ::testing::TestParamInfo<EdgeCase>& case_info) {
                             return case_info.param.name;
                         });

// The cross-check sets ZUZO_TEST_CODE_PAGE to the code page it runs under.
TEST(UnicodeEdgesSetting, RunUnderTheCodePageAskedFor)
{
    const char* wanted = std::getenv("ZUZO_TEST_CODE_PAGE");
    if (wanted == nullptr)
        GTEST_SKIP() << "ZUZO_TEST_CODE_PAGE not set";
    EXPECT_EQ(GetACP(), std::strtoul(wanted, nullptr, 10));
}

TEST(UnicodeEdgesOutput, TableLineEndsGoOutOnce)
{
    const fs::path file = fresh_folder("output") / L"план.csv";
    std::FILE* out = _wfopen(file.c_str(), L"w"); // text mode, as standard output starts
    ASSERT_NE(out, nullptr);
    zuzo::cli::write_unchanged(out);
    std::fputs("a;b\r\nc\n", out);
    std::fclose(out);
    Bytes bytes;
    ASSERT_TRUE(zuzo::read_file(file, bytes, zuzo::kPtmFileLimit).done());
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a;b\r\nc\n");
}

// A file the save may not replace: held open by another program without
// sharing, or marked read-only.
class RefusedSave : public ::testing::TestWithParam<bool> {};

TEST_P(RefusedSave, FileStaysAndNoTemporaryIsLeft)
{
    const bool held = GetParam();
    const fs::path folder = fresh_folder(held ? "held" : "read-only");
    const fs::path file = folder / L"занят.ptm";
    ASSERT_TRUE(zuzo::save_file(file, Bytes{'o', 'l', 'd'}).done());
    const HANDLE other =
        held ? CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    if (!held) {
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    // The system's own refusal names the cause, through the same table as elsewhere.
    const zuzo::FileResult refused = zuzo::save_file(file, Bytes{'n', 'e', 'w'});
    EXPECT_FALSE(refused.done());
    const std::string cause = zuzo::file_cause(refused, file);
    EXPECT_EQ(cause.rfind(held ? "файл занят другой программой" : "файл защищен от записи", 0), 0u) << cause;
    if (held)
        CloseHandle(other);
    EXPECT_EQ(names_in(folder), std::vector<std::wstring>{L"занят.ptm"});
    Bytes back;
    ASSERT_TRUE(zuzo::read_file(file, back, zuzo::kPtmFileLimit).done());
    EXPECT_EQ(back, (Bytes{'o', 'l', 'd'}));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Windows, RefusedSave, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& case_info) {
                             return case_info.param ? "HeldOpen" : "ReadOnly";
                         });

// A hold that ends soon (a virus scanner or the search indexer looking at
// the file just saved) is waited for: the save goes through.
TEST(BrieflyHeldSave, ReplacesTheFileOnceReleased)
{
    const fs::path folder = fresh_folder("briefly-held");
    const fs::path file = folder / L"занят.ptm";
    ASSERT_TRUE(zuzo::save_file(file, Bytes{'o', 'l', 'd'}).done());
    const HANDLE other = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    std::thread scanner([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CloseHandle(other);
    });
    const zuzo::FileResult saved = zuzo::save_file(file, Bytes{'n', 'e', 'w'});
    scanner.join();
    EXPECT_TRUE(saved.done());
    EXPECT_EQ(names_in(folder), std::vector<std::wstring>{L"занят.ptm"});
    Bytes back;
    ASSERT_TRUE(zuzo::read_file(file, back, zuzo::kPtmFileLimit).done());
    EXPECT_EQ(back, (Bytes{'n', 'e', 'w'}));
}

} // namespace
