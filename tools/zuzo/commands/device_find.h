#pragma once
// "zuzo device find": which port the device is on. Every serial port the
// system has (or those of --ports) is asked for the device's status at
// once, one port a thread and one attempt each, so that the whole machine
// has answered or given up in about one reply wait (300 ms) rather than one
// port after another. Where a device answers it is asked once more, for its
// clock, as every device command does.
//
//   zuzo device find [--ports LIST] [--json]
//
// The ports the system has: on Windows its list of serial ports, on Linux
// the serial devices present and the virtual ports of the simulator
// (port_names.h). Exit codes: 0 a device answered on at least one port, 1
// none did, 2 bad usage.

#include "link/core/port_list.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "find"; system_ports lists the ports to ask when
// --ports gives none.
[[nodiscard]] int run_device_find(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                                  PortLister& system_ports);
// With the system's own list of ports.
[[nodiscard]] int run_device_find(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zuzo::cli
