#pragma once
// Texts of program files are Windows-1251; the tool keeps them as UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace zuzo {

// UTF-8 to Windows-1251. A character that has no Windows-1251 byte, and every
// byte of a malformed UTF-8 sequence, becomes "?".
[[nodiscard]] std::string utf8_to_cp1251(std::string_view utf8);

// The first character of a UTF-8 text that has no Windows-1251 byte, told
// as "U+1F600 «😀»" (a malformed sequence as "байт 0xFF, не UTF-8"); empty
// when every character has one.
[[nodiscard]] std::string first_char_outside_cp1251(std::string_view utf8);

// Windows-1251 to UTF-8: every byte has a character, the unassigned 0x98
// U+0098, so that utf8_to_cp1251 gives the same bytes back.
[[nodiscard]] std::string cp1251_to_utf8(std::string_view cp1251);

// The length of the well-formed UTF-8 sequence at pos (1..4), or 0 for a
// malformed one (overlong forms and surrogates included).
[[nodiscard]] std::size_t utf8_sequence_length(std::string_view s, std::size_t pos);

// Whether the whole text is well-formed UTF-8.
[[nodiscard]] bool is_utf8(std::string_view s);

// How many bytes from the start of s are well-formed UTF-8 (s.size() when
// all of it is).
[[nodiscard]] std::size_t utf8_prefix_length(std::string_view s);

// Appends one code point (at most U+10FFFF) as UTF-8.
void append_utf8(std::string& out, char32_t cp);

// Equality of two UTF-8 texts with letter case ignored, for Latin and
// Cyrillic letters (including "Ё"/"ё" and the other Cyrillic letters of
// Windows-1251).
[[nodiscard]] bool equal_ignoring_case(std::string_view a, std::string_view b);

} // namespace zuzo
