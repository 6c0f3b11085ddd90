#pragma once
// Text files handed to the companion program: UTF-8, or UTF-16 with a byte
// order mark, which is what Windows PowerShell's ">" writes.

#include <cstdint>
#include <span>
#include <string>

namespace zuzo::cli {

// The text as UTF-8. UTF-16 with a byte order mark (little or big endian) is
// decoded without its mark; anything else comes back byte for byte. An
// unpaired surrogate and an odd last byte become U+FFFD.
[[nodiscard]] std::string utf8_text(std::span<const std::uint8_t> bytes);

} // namespace zuzo::cli
