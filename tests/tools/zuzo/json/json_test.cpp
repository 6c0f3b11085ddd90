// The JSON adapter over the library: what the companion's users see of it.

#include "program/core/shown_text.h"
#include "tools/zuzo/json/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zuzo::json::ParseStatus;
using zuzo::json::Value;

TEST(Json, ParsesEveryKindKeepingKeyOrder)
{
    const auto r = zuzo::json::parse(R"( {"z": [1, -2, 3.5, 1e3], "b": {"c": true, "d": false, "e": null},
        "s": "Сигнал №1 \"q\" \\ \/ \n\t\u0041\u0416\ud83d\ude00"} )");
    ASSERT_EQ(r.status, ParseStatus::Ok) << r.error;
    const Value& v = r.value;
    ASSERT_TRUE(v.is_object());
    EXPECT_EQ(v.begin().key(), "z"); // the order of the text, not sorted
    const Value& z = v.at("z");
    ASSERT_EQ(z.size(), 4u);
    EXPECT_TRUE(z[0].is_number_integer());
    EXPECT_EQ(z[1], -2);
    EXPECT_FALSE(z[2].is_number_integer());
    EXPECT_FALSE(z[3].is_number_integer()); // an exponent is no integer
    EXPECT_EQ(v.at("b").at("c"), true);
    EXPECT_TRUE(v.at("b").at("e").is_null());
    EXPECT_EQ(v.at("s"), "Сигнал №1 \"q\" \\ / \n\tAЖ😀");
}

TEST(Json, WriteThenParseGivesTheSameValue)
{
    Value v = Value::object();
    v["text"] = "Вторник\n\"x\"\x01";
    v["rows"] = Value::array({Value::array({1, -2}), Value::array()});
    v["empty"] = Value::object();
    v["flag"] = true;
    v["nothing"] = nullptr;
    const std::string text = zuzo::json::write(v);
    const auto back = zuzo::json::parse(text);
    ASSERT_EQ(back.status, ParseStatus::Ok) << back.error << "\n" << text;
    EXPECT_EQ(back.value, v);
    EXPECT_EQ(zuzo::json::write(back.value), text);
    EXPECT_NE(text.find("\\u0001"), std::string::npos);
    EXPECT_NE(text.find("\"Вторник"), std::string::npos); // UTF-8, not escaped
    EXPECT_NE(text.find("[1, -2]"), std::string::npos);   // plain arrays stay on one line
    EXPECT_EQ(text.rfind("{\n  \"text\": ", 0), 0u) << text;
    EXPECT_EQ(text.back(), '\n');
}

struct Bad {
    const char* name;
    const char* text;
    const char* place; // where the message starts
    const char* error; // part of the message
};

class Malformed : public ::testing::TestWithParam<Bad> {};

TEST_P(Malformed, IsRefusedWithAPlace)
{
    const auto r = zuzo::json::parse(GetParam().text);
    EXPECT_EQ(r.status, ParseStatus::Malformed);
    EXPECT_EQ(r.error.rfind(GetParam().place, 0), 0u) << r.error;
    EXPECT_NE(r.error.find(GetParam().error), std::string::npos) << r.error;
    for (const char* english : {"error", "expected", "invalid", "literal", "parsing", "input"})
        EXPECT_EQ(r.error.find(english), std::string::npos) << r.error;
    EXPECT_EQ(zuzo::shown_text(r.error, 1000), "«" + r.error + "»") << "one line of UTF-8: " << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Malformed,
    ::testing::Values(
        Bad{"empty", "", "строка 1, столбец 1:", "найдено: конец текста; ожидается: значение"},
        Bad{"blank", "   ", "строка 1, столбец 4:", "конец текста"},
        Bad{"trailing_comma", "[1, 2,]", "строка 1, столбец 7:", "найдено: «]»"},
        Bad{"missing_colon", "{\"a\" 1}", "строка 1, столбец 6:", "найдено: число; ожидается: «:»"},
        Bad{"unquoted_key", "{a: 1}", "строка 1, столбец 2:", "неизвестное слово"},
        Bad{"open_object", "{\"a\": 1", "строка 1, столбец 8:", "конец текста"},
        Bad{"open_string", "\"abc", "строка 1, столбец 5:", "текст не закрыт кавычкой"},
        Bad{"raw_newline", "\"a\nb\"", "строка 1, столбец 3:", "управляющий символ"},
        Bad{"bad_unicode", "\"\\u12G4\"", "строка 1, столбец 6:", "после «\\u» нужны 4"},
        Bad{"lone_low_surrogate", "\"\\udc00\"", "строка 1, столбец 7:", "суррогатная пара"},
        Bad{"bad_utf8", "\"\xC3\x28\"",
            "строка 1, столбец 3:", "недопустимая последовательность байтов UTF-8"},
        Bad{"number_overflow", "[1e400]", "строка 1, столбец 6:", "число «1e400» вне диапазона"},
        Bad{"two_values", "{} {}", "строка 1, столбец 4:", "ожидается: конец текста"},
        Bad{"repeated_key", "{\"a\": 1, \"a\": 2}", "строка 1, столбец 13:", "ключ «a» повторяется"},
        Bad{"repeated_inner_key", "[{\"a\": {\"b\": 1, \"b\": 2}}]",
            "строка 1, столбец 20:", "«b» повторяется"},
        Bad{"too_deep",
            "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]"
            "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
            "строка 1, столбец 65:", "глубже 64"}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

TEST(Json, SameKeyInSiblingObjectsIsFine)
{
    EXPECT_EQ(zuzo::json::parse(R"([{"a": 1}, {"a": 2}, {"b": {"a": 3}}])").status, ParseStatus::Ok);
}

TEST(Json, ErrorNamesLineAndColumnInCharacters)
{
    const auto r = zuzo::json::parse("{\n  \"a\": 1,\n  \"b\" 2\n}");
    ASSERT_EQ(r.status, ParseStatus::Malformed);
    EXPECT_EQ(r.error.rfind("строка 3, столбец 7:", 0), 0u) << r.error;
    const auto cyrillic = zuzo::json::parse("{\"ключ\": ъ}");
    EXPECT_EQ(cyrillic.error.rfind("строка 1, столбец 10:", 0), 0u) << cyrillic.error;
}

} // namespace
