#pragma once
// JSON for the companion program through nlohmann/json: values keep the
// order of their keys (ordered_json), integers stay apart from fractions.
// This adapter adds what the companion's users see: parse errors that name
// a line and a column without throwing, refusal of a key repeated in one
// object and of nesting deeper than 64 levels, and the pretty layout of the
// output (arrays of plain values on one line).

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace zuzo::json {

using Value = nlohmann::ordered_json;

enum class ParseStatus { Ok, Malformed };

// bugprone-exception-escape follows nlohmann/json's move constructor,
// declared noexcept, into code that throws only on a corrupt value.
// NOLINTNEXTLINE(bugprone-exception-escape)
struct ParseResult {
    ParseStatus status = ParseStatus::Malformed;
    Value value;
    std::string error; // "строка L, столбец C: what was wrong" when Malformed
};

// Parses one JSON text (RFC 8259), surrounded by optional white space. The
// column counts characters of UTF-8, from 1; the reason is Russian.
[[nodiscard]] ParseResult parse(std::string_view text);

// Pretty text with two-blank indentation and a final line break; arrays of
// plain values stay on one line. Text is written as UTF-8; control
// characters are escaped.
[[nodiscard]] std::string write(const Value& value);

} // namespace zuzo::json
