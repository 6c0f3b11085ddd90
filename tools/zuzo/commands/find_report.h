#pragma once
// What "zuzo device find" learnt of each port, and how it is told: a line a
// port (the ports where a device answered first), a summary line, or one
// JSON object.

#include "link/core/port_open_error.h"
#include "tools/zuzo/json/json.h"

#include <optional>
#include <string>
#include <vector>

namespace zuzo::cli {

// What came back to the status request; the JSON's "outcome" of a port.
enum class FindOutcome {
    Found,        // a device answered ("found")
    EepromFault,  // a device answered that its EEPROM is damaged ("eeprom_fault")
    Echo,         // the request itself came back: a loopback plug ("echo")
    Unrecognised, // something answered, but not as the device does ("unrecognised")
    Silent,       // nothing came back within the reply wait ("silent")
    Lost,         // the port went away during the request ("lost")
    PortFailed,   // the port did not open ("port_failed")
};

struct FoundPort {
    std::string port; // the COM name, or the device path where another port has its name
    FindOutcome outcome = FindOutcome::Silent;
    std::optional<int> device_type;
    std::optional<bool> sensor_on;
    std::optional<int> illuminance;
    std::string clock;                     // "YYYY-MM-DD HH:MM:SS", empty when not read
    std::optional<long long> clock_offset; // device minus computer, seconds
    std::string device_said;               // EepromFault: what the device reported
    PortOpenError port_error = PortOpenError::None;
};

// A device answered on the port (it may be of another type or report a
// damaged EEPROM).
[[nodiscard]] bool answered(const FoundPort& port);

// The result of one port in words, without its name.
[[nodiscard]] std::string find_result(const FoundPort& port);

// The lines of every port, those that answered first, each group in the
// order given; then the summary.
[[nodiscard]] std::string find_lines(const std::vector<FoundPort>& ports);
[[nodiscard]] std::string find_summary(const std::vector<FoundPort>& ports);

// 0 when a device answered on some port, 1 otherwise.
[[nodiscard]] int find_exit_code(const std::vector<FoundPort>& ports);

// ports (each port's object, in the order given), found (the names where a
// device answered), outcome ("found" or "not_found"), result (the summary),
// exit_code.
[[nodiscard]] json::Value find_to_json(const std::vector<FoundPort>& ports);

} // namespace zuzo::cli
