#include "program/core/shown_text.h"

#include "program/core/cp1251.h"

#include <cstdio>

namespace zuzo {
namespace {

// Characters that look like a blank or like nothing, and the line
// separators: written as their code, so that "50\u00A0" does not read as
// "50 ".
const char* invisible_name(std::string_view ch)
{
    struct Invisible {
        std::string_view utf8;
        const char* code;
    };
    static constexpr Invisible kInvisible[] = {
        {"\u00A0", "00A0"}, // no-break space
        {"\u2007", "2007"}, // figure space
        {"\u200B", "200B"}, // zero width space
        {"\u2028", "2028"}, // line separator
        {"\u2029", "2029"}, // paragraph separator
        {"\u202F", "202F"}, // narrow no-break space
        {"\uFEFF", "FEFF"}, // zero width no-break space (byte order mark)
    };
    for (const Invisible& i : kInvisible) {
        if (ch == i.utf8)
            return i.code;
    }
    return nullptr;
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
        else if (const char* name = invisible_name(ch))
            std::snprintf(escaped, sizeof escaped, "\\u%s", name);
        out += escaped[0] != 0 ? std::string_view(escaped) : ch;
    }
    return out + "»";
}

} // namespace zuzo
