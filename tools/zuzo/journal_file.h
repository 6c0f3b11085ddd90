#pragma once
// The provisioning journal on disk: a file that rows are only ever added
// to. Each addition is one write, forced to the disk before it counts, so
// a row is either wholly there or not at all and earlier rows are never
// touched. One implementation per system (journal_file_posix.cpp,
// journal_file_windows.cpp).

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace zuzo::cli {

class JournalFile {
public:
    JournalFile() = default;
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Opens the file for adding, creating it when missing; an empty file gets
    // first_rows at once, once whatever runs open it together (they take
    // turns under a lock of the whole file). False when it cannot be opened,
    // created or started.
    [[nodiscard]] bool open(const std::filesystem::path& path, std::string_view first_rows);

    // Adds the text with one write (after a line break when the file does not
    // end in one) and forces it to the disk; false when that fails.
    [[nodiscard]] bool append(std::string_view text);

private:
    // With the file locked against other runs: the first rows into an empty
    // file, or where an existing one ends.
    [[nodiscard]] bool start(std::string_view first_rows);
    [[nodiscard]] bool write_synced(std::string_view text);

    std::intptr_t handle_ = -1; // a file descriptor, or a HANDLE on Windows
    bool needs_break_ = false;  // the file ends without a line break
};

} // namespace zuzo::cli
