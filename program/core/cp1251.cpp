#include "program/core/cp1251.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace zuzo {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. The
// one byte the code page leaves unassigned, 0x98, is U+0098 both ways, as
// the WHATWG encoding standard has it: a text read from a file goes back
// byte for byte.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

constexpr char32_t kBad = 0xFFFFFFFF;

// Decodes one code point at pos and advances pos; kBad (one byte consumed)
// for a malformed sequence.
char32_t next_code_point(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    ++pos;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return kBad;
    }
    if (pos + static_cast<std::size_t>(extra) > s.size())
        return kBad;
    for (int k = 0; k < extra; ++k) {
        const auto cont = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(k)]);
        if ((cont & 0xC0) != 0x80)
            return kBad;
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr std::array<char32_t, 4> kMin = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[static_cast<std::size_t>(extra)] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kBad;
    pos += static_cast<std::size_t>(extra);
    return cp;
}

char byte_for(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<char>(0xC0 + (cp - 0x0410));
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Lower-case partner of a Latin or Cyrillic capital; other code points as they are.
char32_t fold(char32_t cp)
{
    if (cp >= U'A' && cp <= U'Z')
        return cp + 0x20;
    if (cp >= 0x0410 && cp <= 0x042F) // А..Я
        return cp + 0x20;
    if (cp >= 0x0400 && cp <= 0x040F) // Ѐ..Џ, Ё among them
        return cp + 0x50;
    if (cp == 0x0490) // Ґ
        return 0x0491;
    return cp;
}

std::vector<char32_t> folded(std::string_view s)
{
    std::vector<char32_t> out;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = pos;
        const char32_t cp = next_code_point(s, pos);
        // Malformed bytes compare as themselves, kept apart from real code points.
        out.push_back(cp == kBad ? 0x80000000u | static_cast<unsigned char>(s[start]) : fold(cp));
    }
    return out;
}

} // namespace

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string utf8_to_cp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = next_code_point(utf8, pos);
        out.push_back(cp == kBad ? '?' : byte_for(cp));
    }
    return out;
}

std::string first_char_outside_cp1251(std::string_view utf8)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t cp = next_code_point(utf8, pos);
        if (cp == kBad) {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            const auto b = static_cast<unsigned char>(utf8[start]);
            return std::string("байт 0x") + kDigits[b >> 4] + kDigits[b & 0xF] + ", не UTF-8";
        }
        if (cp != U'?' && byte_for(cp) == '?') {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            return std::string(code) + " «" + std::string(utf8.substr(start, pos - start)) + "»";
        }
    }
    return {};
}

std::string cp1251_to_utf8(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char ch : cp1251) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t cp = b;
        if (b >= 0xC0)
            cp = 0x0410 + (b - 0xC0);
        else if (b >= 0x80)
            cp = kHigh[b - 0x80];
        append_utf8(out, cp);
    }
    return out;
}

bool equal_ignoring_case(std::string_view a, std::string_view b)
{
    return folded(a) == folded(b);
}

std::size_t utf8_sequence_length(std::string_view s, std::size_t pos)
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

bool is_utf8(std::string_view s)
{
    return utf8_prefix_length(s) == s.size();
}

std::size_t utf8_prefix_length(std::string_view s)
{
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t len = utf8_sequence_length(s, pos);
        if (len == 0)
            break;
        pos += len;
    }
    return pos;
}

} // namespace zuzo
