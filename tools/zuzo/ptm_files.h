#pragma once
// Whole files in and out for the companion program's file commands. Paths
// are UTF-8 on every system.

#include <cstdint>
#include <string>
#include <vector>

namespace zuzo::cli {

enum class FileStatus { Done, Failed };

// The whole content of a regular file; a missing file or a directory fails.
[[nodiscard]] FileStatus read_whole_file(const std::string& path, std::vector<std::uint8_t>& out);

// Writes through a temporary file in the same folder that replaces path only
// when complete; on failure the old file stays and no temporary file is left.
[[nodiscard]] FileStatus write_whole_file_atomically(const std::string& path,
                                                     const std::vector<std::uint8_t>& bytes);

} // namespace zuzo::cli
