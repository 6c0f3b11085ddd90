// The companion's console on Windows: its lines end in CR LF whichever way
// they are written, and a flush never cuts a character in two.

#include "tools/zuzo/core/console.h"
#include "tools/zuzo/core/console_windows.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct LineEndCase {
    const char* name;
    std::string written;
    std::string out;
};

const std::vector<LineEndCase> kLineEndCases = {
    {"Lines", "a\nb\n", "a\r\nb\r\n"},
    {"TableKept", "a;b\r\nc;d\r\n", "a;b\r\nc;d\r\n"},
    {"Mixed", "x\r\ny\n", "x\r\ny\r\n"},
    {"EmptyLines", "\n\n", "\r\n\r\n"},
    {"LoneCarriageReturn", "a\rb\n", "a\rb\r\n"},
    {"NoLineEnd", "Готово", "Готово"},
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, AllInOneWrite)
{
    std::stringbuf to;
    zuzo::cli::CrLfBuffer crlf(&to);
    std::ostream(&crlf) << GetParam().written << std::flush;
    EXPECT_EQ(to.str(), GetParam().out);
}

TEST_P(LineEnds, CharacterByCharacter)
{
    std::stringbuf to;
    zuzo::cli::CrLfBuffer crlf(&to);
    for (const char c : GetParam().written)
        crlf.sputc(c);
    EXPECT_EQ(to.str(), GetParam().out);
}

// What the companion writes to std::cout and std::cerr reaches the files
// behind its standard output and error with CR LF line ends.
TEST_P(LineEnds, ThroughStandardOutputAndError)
{
    const fs::path folder = fs::temp_directory_path() / L"консоль" / GetParam().name;
    fs::create_directories(folder);
    const fs::path files[] = {folder / L"out.txt", folder / L"err.txt"};
    std::FILE* const streams[] = {stdout, stderr};
    int saved[2] = {};
    for (int k = 0; k < 2; ++k) {
        std::fflush(streams[k]);
        const int fd = _wopen(files[k].c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0600);
        ASSERT_GE(fd, 0);
        saved[k] = _dup(_fileno(streams[k]));
        ASSERT_EQ(_dup2(fd, _fileno(streams[k])), 0);
        _close(fd);
    }
    {
        const zuzo::cli::Utf8Console console;
        std::cout << GetParam().written;
        std::cerr << GetParam().written;
    }
    for (int k = 0; k < 2; ++k) {
        std::fflush(streams[k]);
        _dup2(saved[k], _fileno(streams[k]));
        _close(saved[k]);
        std::ifstream in(files[k], std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                  GetParam().out)
            << files[k];
    }
}

INSTANTIATE_TEST_SUITE_P(Output, LineEnds, ::testing::ValuesIn(kLineEndCases),
                         [](const ::testing::TestParamInfo<LineEndCase>& test) { return test.param.name; });

// --- whole characters --------------------------------------------------------

struct WholeCase {
    const char* name;
    std::string text;
    std::size_t whole;
};

const std::vector<WholeCase> kWholeCases = {
    {"Ascii", "abc", 3},
    {"CyrillicWhole", "Жук", 6},
    {"CyrillicCut", "Жу\xD0", 4},
    {"ThreeBytesCutAfterOne", "a\xE2", 1},
    {"ThreeBytesCutAfterTwo", "a\xE2\x82", 1},
    {"ThreeBytesWhole", "a\xE2\x82\xAC", 4},
    {"FourBytesCutAfterThree", "\xF0\x9F\x98", 0},
    {"Empty", "", 0},
};

class WholeCharacters : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeCharacters, EndBetweenTwoCharacters)
{
    EXPECT_EQ(zuzo::cli::whole_characters(GetParam().text), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(Utf8, WholeCharacters, ::testing::ValuesIn(kWholeCases),
                         [](const ::testing::TestParamInfo<WholeCase>& test) { return test.param.name; });

} // namespace
