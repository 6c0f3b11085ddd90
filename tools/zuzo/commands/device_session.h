#pragma once
// One device command on one port, in one port session: the device is
// identified with the status exchange, as the tool's connect does, and asked
// once more for its clock; then the command runs (read, write, verify, write
// and verify). What happened goes into a DeviceRun (device_report.h); the
// caller prints it and adds its journal row.
//
// Each port session has a link of its own and shares nothing with another,
// so several threads may each run one at once; the Qt core application
// must exist before any of them starts (QtCoreForDevices).

#include "tools/zuzo/commands/device_options.h"
#include "tools/zuzo/commands/device_report.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <string>

namespace zuzo::cli {

// Asked before every exchange: true stops the run there (Ctrl+C), and the
// run says what the device holds.
using StopCheck = std::function<bool()>;

// Runs the command of o on port. A program file is read (and a write
// checked) before the port is opened. The device clock's offset from the
// computer's is taken when its reply comes; o.max_clock_offset then judges
// it once the command has succeeded.
[[nodiscard]] DeviceRun run_on_port(const DeviceOptions& o, const std::string& port, const StopCheck& stop);

// The Qt core application the serial link needs, made here when the
// program has none yet; made on the main thread before any port session.
class QtCoreForDevices {
public:
    QtCoreForDevices();

private:
    int argc_ = 1;
    char name_[5] = "zuzo";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

} // namespace zuzo::cli
