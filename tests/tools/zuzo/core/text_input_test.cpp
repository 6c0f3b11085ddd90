// Text handed to the companion: what Windows PowerShell's ">" writes (UTF-16
// with a byte order mark) comes out as the UTF-8 the JSON reader takes.

#include "tools/zuzo/core/text_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TextCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string utf8;
};

const std::vector<TextCase> kTextCases = {
    {"Utf16LittleEndian", {0xFF, 0xFE, '{', 0, 0x1F, 0x04, 0x3D, 0x04, '}', 0, '\r', 0, '\n', 0}, "{Пн}\r\n"},
    {"Utf16BigEndian", {0xFE, 0xFF, 0, '{', 0x04, 0x1F, 0x04, 0x3D, 0, '}'}, "{Пн}"},
    {"SurrogatePair", {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
    {"LoneSurrogateIsReplaced",
     {0xFF, 0xFE, 0x3D, 0xD8, 'a', 0},
     "\xEF\xBF\xBD"
     "a"},
    {"OddLastByteIsReplaced", {0xFF, 0xFE, 'a', 0, 'b'}, "a\xEF\xBF\xBD"},
    {"MarkAlone", {0xFF, 0xFE}, ""},
    {"Utf8WithMarkUnchanged", {0xEF, 0xBB, 0xBF, '{', '}'}, "\xEF\xBB\xBF{}"},
    {"Utf8WithoutMarkUnchanged", {'{', 0xD0, 0x9F, '}'}, "{П}"},
    {"OneByteUnchanged", {0xFF}, "\xFF"},
};

class TextInput : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextInput, ComesOutAsUtf8)
{
    EXPECT_EQ(zuzo::cli::utf8_text(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Files, TextInput, ::testing::ValuesIn(kTextCases),
                         [](const ::testing::TestParamInfo<TextCase>& case_info) {
                             return case_info.param.name;
                         });

} // namespace
