#pragma once
// The companion command-line program.

#include <iosfwd>
#include <string>
#include <vector>

namespace zuzo::cli {

int run(int argc, char** argv);

// The words after the program name; output and errors to the given streams.
[[nodiscard]] int run_args(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zuzo::cli
