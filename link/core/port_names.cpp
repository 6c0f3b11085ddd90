#include "link/core/port_names.h"

namespace zuzo {

int small_decimal(std::string_view digits)
{
    if (digits.empty() || digits.size() > 4 || (digits.size() > 1 && digits[0] == '0'))
        return -1;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int com_number(std::string_view name)
{
    if (name.size() < 4)
        return 0;
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M')
        return 0;
    const int n = small_decimal(name.substr(3));
    return (n >= kComFirst && n <= kComLast) ? n : 0;
}

std::string com_name(int n)
{
    return "COM" + std::to_string(n);
}

} // namespace zuzo
