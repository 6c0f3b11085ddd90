#include "tools/zuzo/core/port_set.h"

#include "link/core/port_names.h"

#include <algorithm>
#include <cctype>

namespace zuzo::cli {
namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Looks like a COM name, good or not ("COM3", "com0", "COM3-COM5").
bool com_like(std::string_view s)
{
    return s.size() >= 3 && std::toupper(static_cast<unsigned char>(s[0])) == 'C' &&
           std::toupper(static_cast<unsigned char>(s[1])) == 'O' &&
           std::toupper(static_cast<unsigned char>(s[2])) == 'M';
}

// Adds one item's ports; the problem, or empty.
std::string add_item(std::string_view item, std::vector<std::string>& ports)
{
    const std::string text(item);
    if (item.empty())
        return "в списке портов пустой элемент";
    if (!com_like(item)) {
        ports.push_back(text); // a device path
        return {};
    }
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        if (com_number(item) == 0)
            return text + ": нет такого порта, имена портов — от COM1 до COM200";
        ports.push_back(com_name(com_number(item)));
        return {};
    }
    const int first = com_number(trimmed(item.substr(0, dash)));
    const int last = com_number(trimmed(item.substr(dash + 1)));
    if (first == 0 || last == 0)
        return text + ": диапазон портов задается как COMa-COMb, от COM1 до COM200";
    if (first > last)
        return text + ": диапазон задан в обратном порядке, нужно " + com_name(last) + "-" + com_name(first);
    for (int n = first; n <= last && ports.size() <= kMostPorts; ++n)
        ports.push_back(com_name(n));
    return {};
}

} // namespace

PortSet parse_port_set(std::string_view list)
{
    PortSet set;
    std::size_t from = 0;
    while (from <= list.size() && set.ports.size() <= kMostPorts) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        set.problem = add_item(trimmed(list.substr(from, comma - from)), set.ports);
        if (!set.problem.empty())
            return set;
        from = comma + 1;
    }
    if (set.ports.size() > kMostPorts) {
        set.problem = "портов в списке больше " + std::to_string(kMostPorts) +
                      ": за один раз можно настроить не больше " + std::to_string(kMostPorts) + " устройств";
        return set;
    }
    for (std::size_t k = 0; k < set.ports.size(); ++k) {
        if (std::find(set.ports.begin(), set.ports.begin() + static_cast<std::ptrdiff_t>(k), set.ports[k]) !=
            set.ports.begin() + static_cast<std::ptrdiff_t>(k)) {
            set.problem = "порт " + set.ports[k] + " указан в списке дважды";
            return set;
        }
    }
    return set;
}

} // namespace zuzo::cli
