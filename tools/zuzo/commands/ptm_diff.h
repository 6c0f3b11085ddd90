#pragma once
// "zuzo ptm diff A.ptm B.ptm [--json]": which settings differ between two
// program files (program_diff.h), each on a line
//   FIELD: в A.ptm VALUE; в B.ptm VALUE
// under "Программы в файлах различаются:", or "Программы в файлах
// совпадают". --json prints one object instead: first, second,
// differences [{field, first, second}], outcome ("done", "differs",
// "file_failed", "usage"), result, exit_code.
// Exit codes: 0 the same, 3 they differ (as device verify), 2 a file that
// cannot be read or is no program file, or bad usage.

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

// args are the words after "diff".
[[nodiscard]] int run_ptm_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zuzo::cli
