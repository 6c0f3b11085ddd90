// What the journal file does alike on every system; opening, writing and
// forcing to the disk are in journal_file_posix.cpp and journal_file_windows.cpp.

#include "tools/zuzo/journal_file.h"

#include <string>

namespace zuzo::cli {

bool JournalFile::append(std::string_view text)
{
    if (handle_ == -1)
        return false;
    std::string row = needs_break_ ? "\r\n" : "";
    row.append(text);
    if (!write_synced(row))
        return false;
    needs_break_ = false;
    return true;
}

} // namespace zuzo::cli
