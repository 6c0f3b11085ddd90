#pragma once
// Port discovery: once a second, while no link is open, the serial ports the
// machine has are listed and every port that was not there at the previous
// scan is reported in StatusLog with the COM name to choose.

#include <string>
#include <vector>

namespace zuzo {
class PortLister;
struct PortEntry;
} // namespace zuzo
class StatusLog;

// The key a port is known by: the device file name, two blanks, the COM name
// ("ttyUSB0  COM33"). Empty for an entry that is no COM port.
[[nodiscard]] std::string port_key(const zuzo::PortEntry& entry);

class PortDiscovery {
public:
    PortDiscovery(zuzo::PortLister* ports, StatusLog* log);

    // One scan: lists the ports, reports the new ones (none at the first
    // scan), and remembers the list for the next scan. The caller skips it
    // while the link is open.
    void scan();

    [[nodiscard]] const std::vector<std::string>& known_ports() const { return known_; }

private:
    void report(const std::string& key, const std::string& com_name);

    zuzo::PortLister* ports_;
    StatusLog* log_;
    std::vector<std::string> known_;
};
