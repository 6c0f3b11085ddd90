#include "program/core/cp1251.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using zuzo::cp1251_to_utf8;
using zuzo::equal_ignoring_case;
using zuzo::utf8_to_cp1251;

struct Pair {
    const char* utf8;
    std::string cp1251;
};

class Cp1251Pairs : public ::testing::TestWithParam<Pair> {};

TEST_P(Cp1251Pairs, EncodesAndDecodes)
{
    const Pair& p = GetParam();
    EXPECT_EQ(utf8_to_cp1251(p.utf8), p.cp1251);
    EXPECT_EQ(cp1251_to_utf8(p.cp1251), p.utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, Cp1251Pairs,
                         ::testing::Values(Pair{"", ""}, Pair{"wersia 3.01 unic", "wersia 3.01 unic"},
                                           Pair{"Понедельник",
                                                "\xCF\xEE\xED\xE5\xE4\xE5\xEB\xFC\xED\xE8\xEA"},
                                           Pair{"Сигнал №1", "\xD1\xE8\xE3\xED\xE0\xEB\x20\xB9\x31"},
                                           Pair{"АЯая", "\xC0\xDF\xE0\xFF"}, Pair{"Ёё", "\xA8\xB8"},
                                           Pair{"ЂЏђџ", "\x80\x8F\x90\x9F"}, Pair{"€™«»", "\x88\x99\xAB\xBB"},
                                           Pair{"ЎўЇїҐґ", "\xA1\xA2\xAF\xBF\xA5\xB4"},
                                           Pair{"\xC2\x98", "\x98"})); // unassigned: U+0098 both ways

TEST(Cp1251, EveryByteSurvivesARoundTrip)
{
    std::string all;
    std::set<std::string> characters;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8_to_cp1251(cp1251_to_utf8(one)), one) << "byte " << b;
        characters.insert(cp1251_to_utf8(one));
        all += one;
    }
    EXPECT_EQ(characters.size(), 256u); // no two bytes read as one character
    EXPECT_EQ(utf8_to_cp1251(cp1251_to_utf8(all)), all);
}

TEST(Cp1251, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(utf8_to_cp1251("日本"), "??");
    EXPECT_EQ(utf8_to_cp1251("x😀y"), "x?y");
    EXPECT_EQ(utf8_to_cp1251("Ω"), "?");
}

TEST(Cp1251, MalformedUtf8BytesBecomeQuestionMarks)
{
    EXPECT_EQ(utf8_to_cp1251("a\xFF"
                             "b"),
              "a?b");
    EXPECT_EQ(utf8_to_cp1251("\xD0"), "?");           // cut sequence
    EXPECT_EQ(utf8_to_cp1251("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(utf8_to_cp1251("\xED\xA0\x80"), "???"); // surrogate
}

struct CaseRow {
    const char* a;
    const char* b;
    bool equal;
};

class CaseCompare : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CaseCompare, IgnoresLetterCase)
{
    const CaseRow& r = GetParam();
    EXPECT_EQ(equal_ignoring_case(r.a, r.b), r.equal) << r.a << " / " << r.b;
    EXPECT_EQ(equal_ignoring_case(r.b, r.a), r.equal);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaseCompare,
                         ::testing::Values(CaseRow{"Понедельник", "ПОНЕДЕЛЬНИК", true},
                                           CaseRow{"понедельник", "Понедельник", true},
                                           CaseRow{"сИГНАЛ №2", "Сигнал №2", true},
                                           CaseRow{"Ёлка", "ёЛКА", true}, CaseRow{"ABCxyz", "abcXYZ", true},
                                           CaseRow{"Ї Ґ Ў", "ї ґ ў", true},
                                           CaseRow{"Вторник", "Вторник ", false},
                                           CaseRow{"Среда", "Среды", false}, CaseRow{"Е", "Ё", false},
                                           CaseRow{"", "", true}, CaseRow{"", "Среда", false}));

} // namespace
