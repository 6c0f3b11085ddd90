#pragma once
// Whether two names lead to one file: by a hard link, a symbolic link, a
// different spelling ("./a", "a") or, on Windows, another letter case. One
// file per system (same_file_posix.cpp, same_file_windows.cpp).

#include <string>

namespace zuzo::cli {

// True when both names (UTF-8) open the same existing file. A name that
// does not lead to an existing file is the same as nothing.
[[nodiscard]] bool same_file(const std::string& first, const std::string& second);

} // namespace zuzo::cli
