// Saving on Windows: the names go to the system as wide characters, so any
// name opens whatever the code page. CREATE_NEW, FlushFileBuffers, then
// MoveFileExW with MOVEFILE_WRITE_THROUGH, which returns only once the
// rename is on the disk. A file that another program holds open without
// sharing refuses the rename, and stays as it was. Such a hold is often
// brief (a virus scanner, the search indexer, a synced Documents folder
// opening the file that was just saved): the rename is tried again for a
// little while before the save fails.

#include "program/file_store_os.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace zuzo::file_os {
namespace fs = std::filesystem;
namespace {

// How long a refused rename is tried again: the pauses between tries grow
// from 10 ms to 250 ms, about 2 s in all.
constexpr std::chrono::milliseconds kFirstPause{10};
constexpr std::chrono::milliseconds kLongestPause{250};
constexpr std::chrono::milliseconds kRetryTime{2000};

// The refusals that a file held open by another program gives.
bool held_by_another(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

bool write_all(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0)
            return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

} // namespace

NewFile write_new_file(const fs::path& temp, std::span<const std::uint8_t> bytes, const fs::path& /*like*/)
{
    // The new file takes the folder's access rights, as any new file does.
    const HANDLE file =
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? NewFile::NameTaken : NewFile::Failed;
    const bool written = write_all(file, bytes) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file);
    return written && closed ? NewFile::Written : NewFile::Failed;
}

bool may_replace(const fs::path& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool replace_file(const fs::path& from, const fs::path& to)
{
    std::chrono::milliseconds waited{0};
    std::chrono::milliseconds pause = kFirstPause;
    while (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (!held_by_another(GetLastError()) || waited >= kRetryTime)
            return false;
        std::this_thread::sleep_for(pause);
        waited += pause;
        pause = std::min(pause * 2, kLongestPause);
    }
    return true;
}

} // namespace zuzo::file_os
