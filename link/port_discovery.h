#pragma once
// Port discovery: once a second, while no link is open, the serial ports the
// machine has are listed and every port that was not there at the previous
// scan is reported in StatusLog with the COM name to choose.

#include "link/core/port_list.h"

#include <string>
#include <vector>

class StatusLog;

class PortDiscovery {
public:
    PortDiscovery(zuzo::PortLister* ports, StatusLog* log);

    // One scan: lists the ports, reports the new ones (none at the first
    // scan), and remembers the list for the next scan. When the system's list
    // cannot be read the remembered list stays as it was. The caller skips
    // the scan while the link is open.
    void scan();

    [[nodiscard]] const std::vector<std::string>& known_ports() const { return known_; }

private:
    void report(const std::string& key, const std::string& com_name);

    zuzo::PortLister* ports_;
    StatusLog* log_;
    std::vector<std::string> known_;
};
