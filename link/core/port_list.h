#pragma once
// The list of serial ports the machine has, as (device path, COM name) pairs.

#include <optional>
#include <string>
#include <vector>

namespace zuzo {

struct PortEntry {
    std::string device_path; // e.g. /dev/ttyUSB0, or \Device\Serial0 on Windows
    std::string com_name;    // e.g. COM33
    bool operator==(const PortEntry&) const = default;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    // Present ports in a stable order; nothing at all when the system's list
    // cannot be read (which is not the same as a list without ports).
    [[nodiscard]] virtual std::optional<std::vector<PortEntry>> list() = 0;
};

// Whether name begins with "com" in any letter case: the names of serial
// ports as the system lists them ("COM3", "Com7"; not "LPT1").
[[nodiscard]] bool begins_with_com(const std::string& name);

// The key a port is known by: the device's last path element, two blanks,
// the COM name ("ttyUSB0  COM33", "Serial0  COM1"). Empty for an entry whose
// name does not begin with "com" in any letter case.
[[nodiscard]] std::string port_key(const PortEntry& entry);

} // namespace zuzo
