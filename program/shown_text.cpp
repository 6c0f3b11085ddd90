#include "program/shown_text.h"

#include <cstdio>

namespace zuzo {
namespace {

// The length of the well-formed UTF-8 sequence at pos, or 0.
std::size_t sequence_length(std::string_view s, std::size_t pos)
{
    const auto b = static_cast<unsigned char>(s[pos]);
    if (b < 0x80)
        return 1;
    std::size_t len = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        low = b == 0xE0 ? 0xA0 : 0x80;
        high = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        low = b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[pos + k]);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
            return 0;
    }
    return len;
}

} // namespace

std::string shown_text(std::string_view text, std::size_t max_chars)
{
    std::string out = "«";
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size(); ++count) {
        if (count == max_chars) {
            out += "…";
            break;
        }
        const std::size_t len = sequence_length(text, pos);
        const std::string_view ch = text.substr(pos, len == 0 ? 1 : len);
        pos += ch.size();
        const auto b = static_cast<unsigned char>(ch[0]);
        const auto second = ch.size() > 1 ? static_cast<unsigned char>(ch[1]) : 0u;
        char escaped[12] = {};
        if (len == 0 || b < 0x20 || b == 0x7F)
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(b));
        else if (b == 0xC2 && second <= 0x9F) // U+0080..U+009F
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(second));
        else if (ch == "\u2028" || ch == "\u2029")
            std::snprintf(escaped, sizeof escaped, "\\u%s", ch == "\u2028" ? "2028" : "2029");
        out += escaped[0] != 0 ? std::string_view(escaped) : ch;
    }
    return out + "»";
}

} // namespace zuzo
