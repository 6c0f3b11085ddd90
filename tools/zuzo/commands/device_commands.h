#pragma once
// "zuzo device ...": the device from the command line, with the same
// protocol and attempt rule as the tool.
//
//   zuzo device status --port COMn|PATH [--json] [--max-clock-offset S]
//   zuzo device read   --port COMn|PATH [--into FILE.ptm] [--json] [--journal FILE.csv]
//   zuzo device write  --port COMn|PATH FILE.ptm [--verify [--max-clock-offset S]] [--json]
//                      [--journal FILE.csv]
//   zuzo device verify --port COMn|PATH FILE.ptm [--json] [--journal FILE.csv] [--max-clock-offset S]
//   zuzo device find [--ports LIST] [--json]   (device_find.h)
//
// --ports LIST instead of --port runs the command on many ports at once
// (fleet_run.h). One port session each (device_session.h).
// Each first identifies the device with the status exchange, as the tool's
// connect does, and asks it once more for its clock; read, write and verify
// refuse another device type before any other command. Each takes
// --on-eeprom-fault=repeat|skip|break (default break): the answer given
// when the device reports a damaged EEPROM. Data skipped that way are
// unknown, never shown as measured: status shows them as null, an
// identification, read or verify ends there; a write offers no skip, so
// there it breaks. Such an end says what the device reported and the answer
// (outcome "eeprom_fault").
// verify reads the optics and compares them, byte for byte, with what a write
// of the file would send; it sends no write command. write --verify does the
// same right after the write, in the same port session.
// read --into changes only the optics bytes of an existing program file and
// refuses, before the device is asked, a file that cannot be kept so.
// Messages name the port and each command in words with its code; --json
// prints one JSON object instead of the usual output; --journal adds one row
// per run to a provisioning journal, opened before the device is touched
// (device_report.h, journal_file.h).
// Exit codes (exit_codes.h): 0 success, 1 the device failed, refused or
// could not be reached (or, for write, the program breaks a rule), 2 bad
// usage (with --json also a JSON object), an unusable file or journal, 3
// verify or write --verify found differences, 4 the device clock is further
// off than --max-clock-offset allows, 130 stopped by Ctrl+C (interrupt.h).
// Every failure is one line naming the port or file and the cause.

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "device".
[[nodiscard]] int run_device_command(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err);
[[nodiscard]] int run_device_command(const std::vector<std::string>& args);

} // namespace zuzo::cli
