#include "tools/devsim/fault_names.h"

#include <optional>
#include <string>

namespace zuzo::sim {
namespace {

// Decimal, or hexadecimal after "0x"; at most 0..1000000.
std::optional<int> number(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 7)
        return std::nullopt;
    int v = 0;
    for (char c : text) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return std::nullopt;
        v = v * base + d;
    }
    if (v > 1000000)
        return std::nullopt;
    return v;
}

} // namespace

bool apply_fault(std::string_view setting, Faults& f)
{
    const std::size_t eq = setting.find('=');
    const std::string_view name = setting.substr(0, eq);
    std::optional<int> n;
    if (eq != std::string_view::npos) {
        n = number(setting.substr(eq + 1));
        if (!n)
            return false;
    }
    const auto flag = [&](bool& field) {
        field = true;
        return !n.has_value();
    };
    if (name == "silence")
        return flag(f.silence);
    if (name == "garbage")
        return flag(f.garbage);
    if (name == "bad-checksum")
        return flag(f.bad_checksum);
    if (name == "wrong-length")
        return flag(f.wrong_length);
    if (name == "of")
        return flag(f.of);
    if (name == "os")
        return flag(f.os);
    if (name == "ol")
        return flag(f.ol);
    if (name == "trailing")
        return flag(f.trailing);
    if (name == "pace")
        return flag(f.pace);
    if (name == "silence-after" && n) {
        f.silence_after = *n;
        return true;
    }
    if (name == "faulty-frames" && n) {
        f.faulty_frames = *n;
        return true;
    }
    if (name == "ignore" && n && *n <= 255) {
        f.ignore.insert(static_cast<std::uint8_t>(*n));
        return true;
    }
    if (name == "wrong-type") {
        if (n && *n > 255)
            return false;
        f.type_code = n.value_or(24);
        return true;
    }
    if (name == "split") {
        f.split = n.value_or(3);
        return f.split > 0;
    }
    if (name == "vanish") {
        f.vanish_after = n.value_or(3);
        return true;
    }
    return false;
}

const char* fault_names_help()
{
    return "silence, silence-after=N, garbage, bad-checksum, wrong-length, of, os, ol, wrong-type[=N], "
           "ignore=CODE, faulty-frames=N, split[=N], trailing, vanish[=N], pace";
}

} // namespace zuzo::sim
