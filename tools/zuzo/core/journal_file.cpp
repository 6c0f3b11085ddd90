// What the journal file does alike on every system; opening, writing and
// forcing to the disk are in journal_file_posix.cpp and journal_file_windows.cpp.

#include "tools/zuzo/core/journal_file.h"

#include <string>

namespace zuzo::cli {

FileResult JournalFile::open(const std::filesystem::path& path, std::string_view first_rows)
{
    // Opening a device for writing may already act on it (a serial line's
    // control lines): anything but a regular file is left unopened.
    const EntryType found = entry_type(path);
    if (found != EntryType::Regular && found != EntryType::Missing)
        return {FileStep::NotRegular, {}, found};
    return open_file(path, first_rows);
}

FileResult JournalFile::append(std::string_view text)
{
    if (handle_ == -1)
        return {FileStep::Write, std::make_error_code(std::errc::bad_file_descriptor), EntryType::Regular};
    std::string row = needs_break_ ? "\r\n" : "";
    row.append(text);
    if (const std::error_code error = write_synced(row))
        return {FileStep::Write, error, EntryType::Regular};
    needs_break_ = false;
    return {};
}

FileResult JournalFile::refused_open(const std::filesystem::path& path, std::error_code error)
{
    const FileStep step = entry_type(path) == EntryType::Missing ? FileStep::Create : FileStep::Protected;
    return {step, error, EntryType::Regular};
}

} // namespace zuzo::cli
