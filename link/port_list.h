#pragma once
// The list of serial ports the machine has, as (device path, COM name) pairs.

#include <string>
#include <vector>

namespace zuzo {

struct PortEntry {
    std::string device_path; // e.g. /dev/ttyUSB0, or a link in the virtual port folder
    std::string com_name;    // e.g. COM33
    bool operator==(const PortEntry&) const = default;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    // Present ports in a stable order.
    virtual std::vector<PortEntry> list() = 0;
};

} // namespace zuzo
