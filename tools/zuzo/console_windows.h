#pragma once
// Windows only: what command_line_words does with the wide command line.

#include <string>
#include <vector>

namespace zuzo::cli {

// The words of a command line as Windows splits it, after the program name,
// as UTF-8.
[[nodiscard]] std::vector<std::string> words_from_command_line(const wchar_t* line);

} // namespace zuzo::cli
