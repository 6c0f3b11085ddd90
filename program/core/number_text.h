#pragma once
// The one lenient integer parse used for every number typed or read as text.

#include <cstdint>
#include <string>
#include <string_view>

namespace zuzo {

// Leading blanks and tabs skipped, an optional sign, then decimal digits, or
// hexadecimal digits after "$", or binary digits after "%", up to the first
// other character. Empty or non-numeric text reads as 0. The value is taken
// modulo 2^32 and returned as a signed 32-bit integer (the low 32 bits).
[[nodiscard]] std::int32_t lenient_int(std::string_view text);

// Plain decimal text without leading zeros, "-" for negative values.
[[nodiscard]] std::string decimal_text(std::int64_t value);

} // namespace zuzo
