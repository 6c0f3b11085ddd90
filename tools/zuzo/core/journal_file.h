#pragma once
// The provisioning journal on disk: a file that rows are only ever added
// to. Each addition is one write, forced to the disk before it counts, so
// a row is either wholly there or not at all and earlier rows are never
// touched. One implementation per system (journal_file_posix.cpp,
// journal_file_windows.cpp).

#include "program/core/file_store.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace zuzo::cli {

class JournalFile {
public:
    JournalFile() = default;
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Opens the file for adding, creating it when missing; an empty file gets
    // first_rows at once, once whatever runs open it together (they take
    // turns under a lock of the whole file). A name that leads to anything
    // but a regular file (a device, a pipe, a folder) is refused before it is
    // opened. Fails, with the system's error, when the file cannot be
    // opened, created or started.
    [[nodiscard]] FileResult open(const std::filesystem::path& path, std::string_view first_rows);

    // Adds the text with one write (after a line break when the file does not
    // end in one) and forces it to the disk; the system's error when that
    // fails.
    [[nodiscard]] FileResult append(std::string_view text);

private:
    // The system's part of open.
    [[nodiscard]] FileResult open_file(const std::filesystem::path& path, std::string_view first_rows);
    // With the file locked against other runs: the first rows into an empty
    // file, or where an existing one ends.
    [[nodiscard]] FileResult start(std::string_view first_rows);
    [[nodiscard]] std::error_code write_synced(std::string_view text);
    // A refused open: of an existing file (write-protected), or of a new one
    // (the folder's rights).
    [[nodiscard]] static FileResult refused_open(const std::filesystem::path& path, std::error_code error);

    std::intptr_t handle_ = -1; // a file descriptor, or a HANDLE on Windows
    bool needs_break_ = false;  // the file ends without a line break
};

} // namespace zuzo::cli
