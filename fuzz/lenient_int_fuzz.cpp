// The lenient integer parse on any text, against a plain restatement of its
// rule computed in 64 bits and cut to the low 32; decimal text of any 32-bit
// value reads back as that value.

#include "fuzz/fuzz_check.h"
#include "program/core/number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

std::int32_t restated(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    std::uint64_t base = 10;
    if (i < t.size() && (t[i] == '$' || t[i] == '%'))
        base = t[i++] == '$' ? 16 : 2;
    std::uint64_t v = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        std::uint64_t d = 99;
        if (c >= '0' && c <= '9')
            d = static_cast<std::uint64_t>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = static_cast<std::uint64_t>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = static_cast<std::uint64_t>(c - 'A' + 10);
        if (d >= base)
            break;
        v = (v * base + d) & 0xFFFFFFFFu;
    }
    if (negative)
        v = (0x100000000u - v) & 0xFFFFFFFFu;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(zuzo::lenient_int(text) == restated(text));

    if (size >= 4) {
        std::uint32_t u = 0;
        std::memcpy(&u, data, 4);
        const auto v = static_cast<std::int32_t>(u);
        FUZZ_CHECK(zuzo::lenient_int(zuzo::decimal_text(v)) == v);
    }
    return 0;
}
