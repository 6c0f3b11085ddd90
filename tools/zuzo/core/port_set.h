#pragma once
// The ports of "--ports": COM names, ranges COMa-COMb (every number from a
// to b) and device paths, separated by commas, e.g. "COM3,COM4,COM7-COM10".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo::cli {

// More at once is taken for a slip (COM1-COM200).
inline constexpr std::size_t kMostPorts = 64;

struct PortSet {
    std::vector<std::string> ports; // COM names as "COMn", paths as given; in the list's order
    std::string problem;            // Russian, one line; empty when the list is good
};

// Refuses an empty item, a COM name outside COM1..COM200, a range given
// backwards or not as COMa-COMb, a port named twice (also through a range)
// and more than kMostPorts ports.
[[nodiscard]] PortSet parse_port_set(std::string_view list);

} // namespace zuzo::cli
