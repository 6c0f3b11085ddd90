#include "tools/zuzo/core/text_input.h"

#include "program/core/cp1251.h"

#include <cstddef>

namespace zuzo::cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool is_high_surrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool is_low_surrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string from_utf16(std::span<const std::uint8_t> bytes, bool little_endian)
{
    const auto unit_at = [&](std::size_t k) -> char32_t {
        const char32_t first = bytes[2 * k];
        const char32_t second = bytes[2 * k + 1];
        return little_endian ? first | (second << 8) : (first << 8) | second;
    };
    const std::size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unit_at(k);
        if (is_high_surrogate(unit) && k + 1 < units && is_low_surrogate(unit_at(k + 1))) {
            append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(k + 1) - 0xDC00));
            ++k;
        } else {
            append_utf8(out, is_high_surrogate(unit) || is_low_surrogate(unit) ? kReplacement : unit);
        }
    }
    if (bytes.size() % 2 != 0)
        append_utf8(out, kReplacement);
    return out;
}

} // namespace

std::string utf8_text(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return from_utf16(bytes.subspan(2), true);
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return from_utf16(bytes.subspan(2), false);
    return {bytes.begin(), bytes.end()};
}

} // namespace zuzo::cli
