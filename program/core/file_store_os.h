#pragma once
// What reading and saving ask of the system, one file per system
// (file_store_posix.cpp, file_store_windows.cpp). Every failure comes back
// as the system's own error code (errno, GetLastError) in the system
// category, which compares equal to the portable std::errc conditions on
// both systems.

#include "program/core/file_store.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

namespace zuzo::file_os {

// What a read found: the error of the open or the read, or a name that
// leads to something other than a regular file (nothing read from it).
struct ReadOutcome {
    std::error_code error;
    EntryType found = EntryType::Regular;
};

// The content of a regular file, at most most bytes of it; a device, a pipe
// or a socket is opened without waiting for it and not read.
[[nodiscard]] ReadOutcome read_start(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                                     std::size_t most);

enum class NewFile { Written, NameTaken, NotCreated, NotWritten };

struct NewFileResult {
    NewFile outcome = NewFile::Written;
    std::error_code error;
};

// Creates the file temp, which must not exist yet, writes bytes into it,
// flushes it to the disk and closes it. On POSIX systems it takes the
// permissions of the file like where that exists. On NotWritten a created
// temp may be left for the caller to remove.
[[nodiscard]] NewFileResult write_new_file(const std::filesystem::path& temp,
                                           std::span<const std::uint8_t> bytes,
                                           const std::filesystem::path& like);

// Why target may not be replaced: it exists and is write-protected (or on a
// read-only disk). Empty when it may be (a missing target may be created).
[[nodiscard]] std::error_code replace_refusal(const std::filesystem::path& target);

// Renames from over to, replacing it in one step, and makes the rename
// durable; the error when the system refuses. On Windows a target held open
// by another program is waited for, about 2 s at most.
[[nodiscard]] std::error_code replace_file(const std::filesystem::path& from,
                                           const std::filesystem::path& to);

} // namespace zuzo::file_os
