#include "tools/zuzo/json/json_reasons.h"

#include "program/core/shown_text.h"

#include <array>
#include <utility>

namespace zuzo::json {
namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// The library's names of what it found or expected.
constexpr std::array<Pair, 14> kTokens = {{
    {"true literal", "true"},
    {"false literal", "false"},
    {"null literal", "null"},
    {"string literal", "текст в кавычках"},
    {"number literal", "число"},
    {"'['", "«[»"},
    {"'{'", "«{»"},
    {"']'", "«]»"},
    {"'}'", "«}»"},
    {"':'", "«:»"},
    {"','", "«,»"},
    {"end of input", "конец текста"},
    {"'[', '{', or a literal", "значение («[», «{», текст в кавычках, число, true, false или null)"},
    {"<parse error>", "ошибка"},
}};

// The lexer's reasons, by their beginning.
constexpr std::array<Pair, 12> kReasons = {{
    {"invalid literal", "неизвестное слово (допустимы true, false и null)"},
    {"invalid number; expected digit after '-'", "неверное число: после «-» нужна цифра"},
    {"invalid number; expected digit after '.'", "неверное число: после «.» нужна цифра"},
    {"invalid number; expected digit after exponent", "неверное число: в порядке нужна цифра"},
    {"invalid string: control character", "управляющий символ в тексте нужно записать как \\uXXXX"},
    {"invalid string: ill-formed UTF-8 byte", "недопустимая последовательность байтов UTF-8"},
    {"invalid string: missing closing quote", "текст не закрыт кавычкой"},
    {"invalid string: forbidden character after backslash", "недопустимый символ после «\\»"},
    {"invalid string: '\\u' must be followed by 4 hex digits", "после «\\u» нужны 4 шестнадцатеричные цифры"},
    {"invalid string: surrogate", "неверная суррогатная пара \\uD800..\\uDFFF"},
    {"invalid BOM", "неверная метка порядка байтов"},
    {"invalid comment", "комментарии в JSON не допускаются"},
}};

bool starts_with(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

std::string token_name(std::string_view token)
{
    for (const auto& [english, russian] : kTokens) {
        if (token == english)
            return std::string(russian);
    }
    return "другое";
}

std::string lexer_reason(std::string_view text)
{
    for (const auto& [english, russian] : kReasons) {
        if (starts_with(text, english))
            return std::string(russian);
    }
    return "ошибка разбора JSON";
}

} // namespace

std::string russian_reason(std::string_view message)
{
    // "[json.exception...] parse error at line L, column C: " goes; the place
    // is told by the caller.
    if (starts_with(message, "[json.exception.")) {
        const std::size_t end = message.find("] ");
        message.remove_prefix(end == std::string_view::npos ? message.size() : end + 2);
        const std::size_t column = message.find("column ");
        const std::size_t colon = column == std::string_view::npos ? column : message.find(": ", column);
        if (starts_with(message, "parse error") && colon != std::string_view::npos)
            message.remove_prefix(colon + 2);
    }
    constexpr std::string_view kOverflow = "number overflow parsing '";
    if (starts_with(message, kOverflow)) {
        std::string_view number = message.substr(kOverflow.size());
        if (!number.empty() && number.back() == '\'')
            number.remove_suffix(1);
        return "число " + shown_text(number) + " вне диапазона";
    }
    constexpr std::string_view kSyntax = "syntax error";
    if (!starts_with(message, kSyntax))
        return lexer_reason(message);
    const std::size_t dash = message.find(" - ");
    std::string_view body = dash == std::string_view::npos ? std::string_view() : message.substr(dash + 3);

    // "unexpected X" or "REASON; last read: 'T'", then "; expected Y".
    std::string expected;
    constexpr std::string_view kExpected = "; expected ";
    const std::size_t exp = body.rfind(kExpected);
    if (exp != std::string_view::npos) {
        expected = "; ожидается: " + token_name(body.substr(exp + kExpected.size()));
        body = body.substr(0, exp);
    }
    constexpr std::string_view kUnexpected = "unexpected ";
    if (starts_with(body, kUnexpected))
        return "найдено: " + token_name(body.substr(kUnexpected.size())) + expected;
    // "REASON; last read: '...'": the place already points at it.
    const std::size_t last = body.find("; last read: '");
    return lexer_reason(body.substr(0, last)) + expected;
}

} // namespace zuzo::json
