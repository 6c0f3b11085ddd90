#include "tools/zuzo/core/journal_file.h"

#include <algorithm>
#include <string>

#include <windows.h>

namespace zuzo::cli {
namespace {

HANDLE handle_of(std::intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

std::error_code last_error()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace

JournalFile::~JournalFile()
{
    if (handle_ != -1)
        CloseHandle(handle_of(handle_));
}

FileResult JournalFile::open_file(const std::filesystem::path& path, std::string_view first_rows)
{
    const HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return refused_open(path, last_error());
    handle_ = reinterpret_cast<std::intptr_t>(h);
    // Runs that start together each find the file empty: the lock lets one
    // of them write the first rows and shows the others a started file. It
    // covers one byte far past any journal's end, so that it never stands in
    // the way of a row another run adds meanwhile.
    OVERLAPPED beyond{};
    beyond.OffsetHigh = 0x7FFFFFFFu;
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &beyond))
        return {FileStep::Open, last_error(), EntryType::Regular};
    const FileResult started = start(first_rows);
    UnlockFileEx(h, 0, 1, 0, &beyond);
    return started;
}

FileResult JournalFile::start(std::string_view first_rows)
{
    const HANDLE h = handle_of(handle_);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size))
        return {FileStep::Open, last_error(), EntryType::Regular};
    if (size.QuadPart == 0) {
        if (const std::error_code error = write_synced(first_rows))
            return {FileStep::Write, error, EntryType::Regular};
        return {};
    }
    OVERLAPPED at{};
    const ULONGLONG last_offset = static_cast<ULONGLONG>(size.QuadPart) - 1;
    at.Offset = static_cast<DWORD>(last_offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(last_offset >> 32);
    char last = 0;
    DWORD got = 0;
    if (!ReadFile(h, &last, 1, &got, &at) || got != 1)
        return {FileStep::Open, last_error(), EntryType::Regular};
    needs_break_ = last != '\n';
    return {};
}

std::error_code JournalFile::write_synced(std::string_view text)
{
    const HANDLE h = handle_of(handle_);
    LARGE_INTEGER before{};
    if (!GetFileSizeEx(h, &before))
        return last_error();
    std::size_t done = 0;
    std::error_code error;
    while (done < text.size()) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        OVERLAPPED at_end{}; // every write goes to the end, whoever else adds rows
        at_end.Offset = 0xFFFFFFFFu;
        at_end.OffsetHigh = 0xFFFFFFFFu;
        if (!WriteFile(h, text.data() + done, chunk, &wrote, &at_end)) {
            error = last_error();
            break;
        }
        if (wrote == 0) {
            error = {ERROR_DISK_FULL, std::system_category()};
            break;
        }
        done += wrote;
    }
    if (done == text.size())
        return FlushFileBuffers(h) ? std::error_code() : last_error();
    // A row cut short (a full disk) goes again, unless someone added after it.
    LARGE_INTEGER after{};
    if (done > 0 && GetFileSizeEx(h, &after) &&
        after.QuadPart == before.QuadPart + static_cast<LONGLONG>(done)) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile = before;
        if (SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end))
            FlushFileBuffers(h);
    }
    return error;
}

} // namespace zuzo::cli
