#pragma once
// "zuzo device ...": the device from the command line, with the same
// protocol and attempt rule as the tool.
//
//   zuzo device status --port COMn|PATH
//   zuzo device read   --port COMn|PATH [--into FILE.ptm]
//   zuzo device write  --port COMn|PATH FILE.ptm
//   zuzo device verify --port COMn|PATH FILE.ptm
//
// Each takes --on-eeprom-fault=repeat|skip|break (default break): the answer
// given when the device reports a damaged EEPROM. "skip" takes 255 for every
// data byte of a read; a write offers no skip, so there it breaks.
// verify reads the optics and compares them, byte for byte, with what a write
// of the file would send; it sends no write command.
// Exit codes: 0 success, 1 the device failed or refused (or, for write, the
// program breaks a rule), 2 bad usage or an unusable file, 3 verify found
// differences.

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "device".
[[nodiscard]] int run_device_command(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err);
[[nodiscard]] int run_device_command(const std::vector<std::string>& args);

// Usage lines of the device subcommands.
[[nodiscard]] const char* device_usage();

} // namespace zuzo::cli
