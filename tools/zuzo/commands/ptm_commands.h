#pragma once
// "zuzo ptm ...": program files from the command line.
//
//   zuzo ptm dump FILE          the program as JSON on standard output
//   zuzo ptm make JSON OUT.ptm  the file Save writes for that program
//   zuzo ptm check FILE         optics rules and plan checks of all weekdays
//   zuzo ptm plan export|import  the weekly plan as a table (plan_commands.h)

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "ptm".
[[nodiscard]] int run_ptm_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zuzo::cli
