#pragma once
// Whole files in and out, named by UTF-8 texts on every system (the tool's
// program files, the companion's files). A save never leaves a file half
// written: the new content goes into a temporary file beside the target,
// which is flushed to the disk and then renamed over the target. On any
// failure the old file stays as it was and the temporary file is removed.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo {

enum class FileResult { Done, Failed };

// The system's name for a file named in UTF-8: wide characters on Windows
// (whatever the code page), the bytes themselves elsewhere.
[[nodiscard]] std::filesystem::path path_from_utf8(std::string_view utf8);
// A file name as UTF-8.
[[nodiscard]] std::string utf8_from_path(const std::filesystem::path& path);

// The whole content of a file. A missing file, a directory or a read error
// fail and leave out untouched.
[[nodiscard]] FileResult read_file(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

// Replaces the content of path (a new file when there is none) with bytes,
// through a temporary file in the same folder. A directory or a
// write-protected file at path fails. A symbolic link is followed: its target
// gets the content. A replaced file keeps its permissions.
[[nodiscard]] FileResult save_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace zuzo
