#include "link/core/protocol.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zuzo {
namespace {

constexpr double kPercentFactor = 2.55;

std::string framed(std::string pairs)
{
    pairs += hex_pair(text_checksum(pairs));
    pairs += '\r';
    return pairs;
}

int count_of(std::string_view text, std::string_view marker)
{
    int n = 0;
    for (std::size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1))
        ++n;
    return n;
}

// A rounded double as a 32-bit value, saturated at the ends of the range.
std::int32_t to_int32(double rounded)
{
    constexpr double lo = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::clamp(rounded, lo, hi));
}

} // namespace

std::string hex_pair(std::uint8_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::uint8_t text_checksum(std::string_view text)
{
    unsigned sum = 0;
    for (char c : text)
        sum += static_cast<unsigned char>(c);
    return static_cast<std::uint8_t>(sum & 0xFF);
}

std::string read_frame(std::uint8_t code, std::uint8_t p1, std::uint8_t p2)
{
    return framed(hex_pair(code) + hex_pair(p1) + hex_pair(p2));
}

std::string write_frame(std::uint8_t code, const WriteParams& params)
{
    std::string pairs = hex_pair(code);
    for (std::uint8_t b : params)
        pairs += hex_pair(b);
    return framed(std::move(pairs));
}

MarkerCounts count_markers(std::string_view text)
{
    return {count_of(text, "on#"), count_of(text, "os#"), count_of(text, "ol#"), count_of(text, "of#")};
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::int32_t hex_pair_value(char high, char low)
{
    const int h = hex_digit(high);
    if (h < 0)
        return 0;
    const int l = hex_digit(low);
    if (l < 0)
        return h;
    return h * 16 + l;
}

ReplyDecode decode_read_reply(std::string_view text, ReplyBytes& out)
{
    std::string data;
    data.reserve(text.size());
    for (char c : text) {
        if (c == 'o')
            break;
        if (c != '\n' && c != '\r')
            data += c;
    }
    if (data.size() != kReplyDataLength)
        return ReplyDecode::WrongLength;
    const std::string_view payload = std::string_view(data).substr(0, 20);
    if (text_checksum(payload) != hex_pair_value(data[20], data[21]))
        return ReplyDecode::BadChecksum;
    for (std::size_t k = 0; k < out.data.size(); ++k)
        out.data[k] = static_cast<std::uint8_t>(hex_pair_value(data[2 * k], data[2 * k + 1]));
    return ReplyDecode::Ok;
}

std::int32_t percent_to_byte(std::int32_t percent)
{
    return to_int32(std::nearbyint(static_cast<double>(percent) * kPercentFactor));
}

std::int32_t byte_to_percent(std::int32_t byte)
{
    return to_int32(std::nearbyint(static_cast<double>(byte) / kPercentFactor));
}

} // namespace zuzo
