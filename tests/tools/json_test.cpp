#include "tools/zuzo/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zuzo::json::ParseStatus;
using zuzo::json::Value;

TEST(Json, ParsesEveryKind)
{
    const auto r = zuzo::json::parse(R"( {"a": [1, -2, 3.5, 1e3], "b": {"c": true, "d": false, "e": null},
        "s": "Сигнал №1 \"q\" \\ \/ \n\t\u0041\u0416\ud83d\ude00"} )");
    ASSERT_EQ(r.status, ParseStatus::Ok) << r.error;
    const Value& v = r.value;
    ASSERT_EQ(v.kind, Value::Kind::Object);
    const Value* a = v.find("a");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->items.size(), 4u);
    EXPECT_EQ(a->items[0].as_int(), 1);
    EXPECT_EQ(a->items[1].as_int(), -2);
    EXPECT_FALSE(a->items[2].as_int().has_value());
    EXPECT_FALSE(a->items[3].as_int().has_value());
    const Value* b = v.find("b");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->find("c")->boolean);
    EXPECT_EQ(b->find("d")->kind, Value::Kind::Bool);
    EXPECT_FALSE(b->find("d")->boolean);
    EXPECT_EQ(b->find("e")->kind, Value::Kind::Null);
    EXPECT_EQ(v.find("s")->text, "Сигнал №1 \"q\" \\ / \n\tAЖ😀");
    EXPECT_EQ(v.find("missing"), nullptr);
}

TEST(Json, WriteThenParseGivesTheSameValue)
{
    Value v = Value::object();
    v.set("text", Value::from_string("Вторник\n\"x\"\x01"));
    Value rows = Value::array();
    rows.push(Value::array().push(Value::from_int(1)).push(Value::from_int(-2)));
    rows.push(Value::array());
    v.set("rows", rows);
    v.set("empty", Value::object());
    v.set("flag", Value::from_bool(true));
    v.set("nothing", Value::null());
    const std::string text = zuzo::json::write(v);
    const auto back = zuzo::json::parse(text);
    ASSERT_EQ(back.status, ParseStatus::Ok) << back.error << "\n" << text;
    EXPECT_EQ(zuzo::json::write(back.value), text);
    EXPECT_EQ(back.value.find("text")->text, "Вторник\n\"x\"\x01");
    EXPECT_NE(text.find("\\u0001"), std::string::npos);
    EXPECT_NE(text.find("[1, -2]"), std::string::npos); // plain arrays stay on one line
}

TEST(Json, IntegersOutside64BitsAreNotIntegers)
{
    const auto r = zuzo::json::parse("[9223372036854775807, 9223372036854775808, -0]");
    ASSERT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.value.items[0].as_int(), INT64_MAX);
    EXPECT_FALSE(r.value.items[1].as_int().has_value());
    EXPECT_EQ(r.value.items[2].as_int(), 0);
}

struct Bad {
    const char* name;
    const char* text;
    const char* error; // part of the message
};

class Malformed : public ::testing::TestWithParam<Bad> {};

TEST_P(Malformed, IsRefusedWithAPlace)
{
    const auto r = zuzo::json::parse(GetParam().text);
    EXPECT_EQ(r.status, ParseStatus::Malformed);
    EXPECT_NE(r.error.find(GetParam().error), std::string::npos) << r.error;
    EXPECT_EQ(r.error.rfind("line ", 0), 0u) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Malformed,
    ::testing::Values(
        Bad{"empty", "", "unexpected end"}, Bad{"blank", "   ", "unexpected end"},
        Bad{"trailing_comma", "[1, 2,]", "unexpected character"},
        Bad{"missing_colon", "{\"a\" 1}", "expected ':'"}, Bad{"unquoted_key", "{a: 1}", "expected a key"},
        Bad{"open_object", "{\"a\": 1", "expected ',' or '}'"},
        Bad{"open_array", "[1 2]", "expected ',' or ']'"},
        Bad{"open_string", "\"abc", "missing closing quote"},
        Bad{"raw_newline", "\"a\nb\"", "control character"}, Bad{"bad_escape", "\"\\x\"", "unknown escape"},
        Bad{"bad_unicode", "\"\\u12G4\"", "\\u escape"},
        Bad{"lone_low_surrogate", "\"\\udc00\"", "low surrogate"},
        Bad{"lone_high_surrogate", "\"\\ud800x\"", "high surrogate"},
        Bad{"leading_zero", "01", "after the end"}, Bad{"bare_minus", "-", "malformed number"},
        Bad{"dot_no_digits", "1.", "after '.'"}, Bad{"exponent_no_digits", "1e", "exponent"},
        Bad{"word", "nul", "unknown word"}, Bad{"two_values", "{} {}", "after the end"},
        Bad{"repeated_key", "{\"a\": 1, \"a\": 2}", "appears twice"},
        Bad{"too_deep",
            "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]"
            "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
            "deeper than 64"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Json, ErrorNamesLineAndColumn)
{
    const auto r = zuzo::json::parse("{\n  \"a\": 1,\n  \"b\" 2\n}");
    ASSERT_EQ(r.status, ParseStatus::Malformed);
    EXPECT_EQ(r.error.rfind("line 3, column 7:", 0), 0u) << r.error;
}

} // namespace
