// The reply side of the protocol on any text: marker counting, the decoding
// of a read reply with its checksum, and the hex pair reading. Checked
// against a plain restatement of the reply rules, and a failed decode must
// leave the reply bytes as they were.

#include "fuzz/fuzz_check.h"
#include "link/core/protocol.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

int count_plain(std::string_view text, std::string_view marker)
{
    int n = 0;
    for (std::size_t i = 0; i + marker.size() <= text.size(); ++i)
        n += text.substr(i, marker.size()) == marker ? 1 : 0;
    return n;
}

int digit_value(char c)
{
    const std::string_view digits = "0123456789abcdef";
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    const std::size_t at = digits.find(lower);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The data part: the text before the first "o", without LF and CR.
std::string data_part(std::string_view text)
{
    std::string out;
    for (char c : text.substr(0, text.find('o')))
        if (c != '\n' && c != '\r')
            out += c;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const MarkerCounts m = count_markers(text);
    FUZZ_CHECK(m.on == count_plain(text, "on#"));
    FUZZ_CHECK(m.os == count_plain(text, "os#"));
    FUZZ_CHECK(m.ol == count_plain(text, "ol#"));
    FUZZ_CHECK(m.of == count_plain(text, "of#"));

    if (size >= 2) {
        const int h = digit_value(text[0]);
        const int l = digit_value(text[1]);
        const int expected = h < 0 ? 0 : (l < 0 ? h : h * 16 + l);
        FUZZ_CHECK(hex_pair_value(text[0], text[1]) == expected);
    }

    ReplyBytes reply;
    reply.data.fill(0xA7);
    const ReplyBytes before = reply;
    const ReplyDecode r = decode_read_reply(text, reply);
    const std::string part = data_part(text);
    if (r != ReplyDecode::Ok) {
        FUZZ_CHECK(reply == before);
        FUZZ_CHECK((r == ReplyDecode::WrongLength) == (part.size() != kReplyDataLength));
        return 0;
    }
    FUZZ_CHECK(part.size() == kReplyDataLength);
    FUZZ_CHECK(text_checksum(std::string_view(part).substr(0, 20)) == hex_pair_value(part[20], part[21]));
    for (std::size_t k = 1; k <= 10; ++k)
        FUZZ_CHECK(reply.byte(k) == hex_pair_value(part[2 * k - 2], part[2 * k - 1]));
    return 0;
}
