#include "tools/zuzo/journal_file.h"

#include <algorithm>
#include <string>

#include <windows.h>

namespace zuzo::cli {
namespace {

HANDLE handle_of(std::intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

} // namespace

JournalFile::~JournalFile()
{
    if (handle_ != -1)
        CloseHandle(handle_of(handle_));
}

bool JournalFile::open(const std::filesystem::path& path, std::string_view first_rows)
{
    const HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    // Runs that start together each find the file empty: the lock lets one
    // of them write the first rows and shows the others a started file. It
    // covers one byte far past any journal's end, so that it never stands in
    // the way of a row another run adds meanwhile.
    OVERLAPPED beyond{};
    beyond.OffsetHigh = 0x7FFFFFFFu;
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &beyond))
        return false;
    const bool started = start(first_rows);
    UnlockFileEx(h, 0, 1, 0, &beyond);
    return started;
}

bool JournalFile::start(std::string_view first_rows)
{
    const HANDLE h = handle_of(handle_);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size))
        return false;
    if (size.QuadPart == 0)
        return write_synced(first_rows);
    OVERLAPPED at{};
    const ULONGLONG last_offset = static_cast<ULONGLONG>(size.QuadPart) - 1;
    at.Offset = static_cast<DWORD>(last_offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(last_offset >> 32);
    char last = 0;
    DWORD got = 0;
    if (!ReadFile(h, &last, 1, &got, &at) || got != 1)
        return false;
    needs_break_ = last != '\n';
    return true;
}

bool JournalFile::write_synced(std::string_view text)
{
    const HANDLE h = handle_of(handle_);
    LARGE_INTEGER before{};
    if (!GetFileSizeEx(h, &before))
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        OVERLAPPED at_end{}; // every write goes to the end, whoever else adds rows
        at_end.Offset = 0xFFFFFFFFu;
        at_end.OffsetHigh = 0xFFFFFFFFu;
        if (!WriteFile(h, text.data() + done, chunk, &wrote, &at_end) || wrote == 0)
            break;
        done += wrote;
    }
    if (done == text.size())
        return FlushFileBuffers(h) != 0;
    // A row cut short (a full disk) goes again, unless someone added after it.
    LARGE_INTEGER after{};
    if (done > 0 && GetFileSizeEx(h, &after) &&
        after.QuadPart == before.QuadPart + static_cast<LONGLONG>(done)) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile = before;
        if (SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end))
            FlushFileBuffers(h);
    }
    return false;
}

} // namespace zuzo::cli
