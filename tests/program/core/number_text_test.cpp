#include "program/core/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct ParseCase {
    const char* text;
    std::int32_t value;
};

class LenientInt : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LenientInt, ReadsTheLeadingNumber)
{
    EXPECT_EQ(zuzo::lenient_int(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, LenientInt,
                         ::testing::Values(ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{"0", 0},
                                           ParseCase{"42", 42}, ParseCase{"007", 7}, ParseCase{"  \t15", 15},
                                           ParseCase{"15 20", 15}, ParseCase{"12x3", 12}, ParseCase{"-5", -5},
                                           ParseCase{"+5", 5}, ParseCase{"- 5", 0}, ParseCase{"$1F", 31},
                                           ParseCase{"$ff", 255}, ParseCase{"$G", 0}, ParseCase{"%101", 5},
                                           ParseCase{"%102", 2}, ParseCase{"-$10", -16}, ParseCase{"\n5", 0},
                                           ParseCase{"2147483647", INT_MAX}, ParseCase{"2147483648", INT_MIN},
                                           ParseCase{"4294967296", 0}, ParseCase{"4294967297", 1},
                                           ParseCase{"$FFFFFFFF", -1}));

TEST(DecimalText, PlainDigitsWithSign)
{
    EXPECT_EQ(zuzo::decimal_text(0), "0");
    EXPECT_EQ(zuzo::decimal_text(150), "150");
    EXPECT_EQ(zuzo::decimal_text(-56), "-56");
    EXPECT_EQ(zuzo::decimal_text(INT_MIN), "-2147483648");
}

TEST(DecimalText, ReadsBackToTheSameValue)
{
    for (const std::int32_t v : {0, 1, -1, 99, 100, 12000, INT_MAX, INT_MIN})
        EXPECT_EQ(zuzo::lenient_int(zuzo::decimal_text(v)), v);
}

} // namespace
