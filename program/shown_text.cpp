#include "program/shown_text.h"

#include "program/cp1251.h"

#include <cstdio>

namespace zuzo {

std::string shown_text(std::string_view text, std::size_t max_chars)
{
    std::string out = "«";
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size(); ++count) {
        if (count == max_chars) {
            out += "…";
            break;
        }
        const std::size_t len = utf8_sequence_length(text, pos);
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
