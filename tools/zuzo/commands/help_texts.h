#pragma once
// "zuzo --help", "zuzo GROUP --help" and "zuzo GROUP COMMAND --help": the
// help texts of the companion program, in Russian like the tool.

#include <string>
#include <vector>

namespace zuzo::cli {

// True when the words ask for help: "--help" or "-h" anywhere, or "help" as
// the first word.
[[nodiscard]] bool asks_for_help(const std::vector<std::string>& args);

// The help text for the group and command named by the words (other words
// are ignored); the program's overview when they name none.
[[nodiscard]] std::string help_text(const std::vector<std::string>& args);

} // namespace zuzo::cli
