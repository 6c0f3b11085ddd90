#pragma once
// Whole files in and out, named by UTF-8 texts on every system (the tool's
// program files, the companion's files). A save never leaves a file half
// written: the new content goes into a temporary file beside the target,
// which is flushed to the disk and then renamed over the target. On any
// failure the old file stays as it was and the temporary file is removed.
// A failure keeps the system's own error code and the step it came from,
// so that its cause can be told (file_causes.h) without guessing afterwards.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zuzo {

// What a name leads to (through symbolic links).
enum class EntryType { Missing, Regular, Folder, Device, Pipe, Socket, Other };

// Where a file operation stopped.
enum class FileStep {
    Done,       // nothing went wrong
    Open,       // the file could not be opened or read
    NotRegular, // the name leads to something other than a regular file
    Protected,  // the existing file may not be written
    Create,     // the folder took no new file
    Write,      // the new content could not be written or flushed to the disk
    Replace,    // the new content could not take the old file's place
    TooLarge,   // the file holds more than a read of its kind takes
};

struct FileResult {
    FileStep step = FileStep::Done;
    std::error_code error;                // what the system said at that step
    EntryType found = EntryType::Regular; // NotRegular: what the name leads to
    std::size_t limit = 0;                // TooLarge: the most the read took

    [[nodiscard]] bool done() const { return step == FileStep::Done; }
};

// The system's name for a file named in UTF-8: wide characters on Windows
// (whatever the code page), the bytes themselves elsewhere.
[[nodiscard]] std::filesystem::path path_from_utf8(std::string_view utf8);
// A file name as UTF-8.
[[nodiscard]] std::string utf8_from_path(const std::filesystem::path& path);

// What the name leads to; Missing when nothing is there (or it cannot be
// looked at, so that opening it tells why).
[[nodiscard]] EntryType entry_type(const std::filesystem::path& path);

// The whole content of a regular file of at most limit bytes. A missing
// file, a folder, a device, a pipe or a socket (never waited on), a file
// longer than limit (TooLarge, however long or endless) or a read error fail
// and leave out untouched.
[[nodiscard]] FileResult read_file(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                                   std::size_t limit);

// The first limit bytes of a regular file (all of a shorter one), for a
// look at what it is; fails as read_file does, but never for its length.
[[nodiscard]] FileResult read_file_start(const std::filesystem::path& path, std::vector<std::uint8_t>& out,
                                         std::size_t limit);

// Replaces the content of path (a new file when there is none) with bytes,
// through a temporary file in the same folder. Only a regular file is
// replaced: a folder, a device, a pipe or a socket at path fails before
// anything is written, and so does a write-protected file. A symbolic link
// is followed: its target gets the content. A replaced file keeps its
// permissions.
[[nodiscard]] FileResult save_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace zuzo
