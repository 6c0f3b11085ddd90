#pragma once
// The JSON library's reasons for refusing a text, told in Russian.

#include <string>
#include <string_view>

namespace zuzo::json {

// The Russian reason for a message of the JSON library (its exception text,
// with or without the "[json.exception...] parse error at line L, column
// C: " front): a syntax error with what was found and what was expected,
// ill-formed UTF-8, an unescaped control character, a number too large and
// so on. A number read from the input is shown in «», at most 40 characters.
// A message the library might add later gets a general Russian reason,
// never the English one.
[[nodiscard]] std::string russian_reason(std::string_view library_message);

} // namespace zuzo::json
