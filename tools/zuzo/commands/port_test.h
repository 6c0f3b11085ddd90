#pragma once
// "zuzo port test": the cable and the adapter checked with a loopback plug
// (transmit joined to receive) on the far end of the cable instead of the
// device. Patterns of every byte value go out at 9600 8N1 and must come back
// intact; the time each takes beyond its own time on the line is the
// adapter's added latency, which every exchange with the device pays too
// (port_test_report.h says what it means for the device).
//
//   zuzo port test COMn|PATH [--json]
//
// Exit codes: 0 every byte came back intact and the device's replies fit
// the reply wait, 1 anything else (nothing came back, bytes lost or changed,
// too much latency, a port that did not open), 2 bad usage.

#include "tools/zuzo/commands/port_test_report.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "port".
[[nodiscard]] int run_port_command(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err);

// The round trips on the port a COM name or path stands for; the port is
// opened and closed here.
[[nodiscard]] LoopTest run_loop_test(const std::string& port);

} // namespace zuzo::cli
