#pragma once
// "zuzo ptm plan ...": the weekly plan of a program file as a table that a
// spreadsheet opens.
//
//   zuzo ptm plan export FILE.ptm [PLAN.csv]   the table (standard output without PLAN.csv)
//   zuzo ptm plan import PLAN.csv FILE.ptm     the table's plan into the file
//
// Import keeps every other byte of FILE.ptm and creates a missing FILE.ptm
// from the new-program values. A malformed row refuses the whole import (exit
// 2, the file unchanged); plan check faults are written, then reported as
// "ptm check" reports them (exit 1).

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "plan".
[[nodiscard]] int run_plan_command(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err);

} // namespace zuzo::cli
