#pragma once
// What a save asks of the system, one file per system
// (file_store_posix.cpp, file_store_windows.cpp).

#include <cstdint>
#include <filesystem>
#include <span>

namespace zuzo::file_os {

enum class NewFile { Written, NameTaken, Failed };

// Creates the file temp, which must not exist yet, writes bytes into it,
// flushes it to the disk and closes it. On POSIX systems it takes the
// permissions of the file like where that exists. On Failed a created temp
// may be left for the caller to remove.
[[nodiscard]] NewFile write_new_file(const std::filesystem::path& temp, std::span<const std::uint8_t> bytes,
                                     const std::filesystem::path& like);

// False when target exists and is write-protected: such a file is not
// replaced (a missing target may be created).
[[nodiscard]] bool may_replace(const std::filesystem::path& target);

// Renames from over to, replacing it in one step, and makes the rename
// durable; false when the system refuses. On Windows a target held open by
// another program is waited for, about 2 s at most.
[[nodiscard]] bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace zuzo::file_os
