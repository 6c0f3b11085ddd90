#pragma once
// "zuzo device COMMAND --ports LIST": the same command on many ports at
// once. Each port runs on a thread of its own through the same port session
// as one port does (device_session.h); a device that fails, is missing or
// reports a damaged EEPROM (answered by --on-eeprom-fault, never asked)
// does not stop the others. As each device finishes, its journal row is
// added and its line printed (fleet_report.h); when all have finished, the
// summary, or with --json the one document. Ctrl+C (interrupt.h) stops
// every port before its next exchange.

#include "tools/zuzo/commands/device_journal.h"
#include "tools/zuzo/commands/device_options.h"

#include <iosfwd>

namespace zuzo::cli {

// Runs o on every port of o.ports; the worst exit code of the devices.
// The Qt core application and the interrupt watch must exist.
[[nodiscard]] int run_on_ports(const DeviceOptions& o, DeviceJournal& journal, std::ostream& out);

} // namespace zuzo::cli
