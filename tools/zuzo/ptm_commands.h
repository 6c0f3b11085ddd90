#pragma once
// "zuzo ptm ...": program files from the command line.
//
//   zuzo ptm dump FILE          the program as JSON on standard output
//   zuzo ptm make JSON OUT.ptm  the file Save writes for that program
//   zuzo ptm check FILE         optics rules and plan checks of all weekdays

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// Exit codes of every subcommand.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAULTS = 1; // check found faults
inline constexpr int EXIT_ERROR = 2;  // bad use, unreadable or malformed input, failed write

// args are the words after "ptm".
[[nodiscard]] int run_ptm_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Usage lines of the ptm subcommands.
[[nodiscard]] const char* ptm_usage();

} // namespace zuzo::cli
