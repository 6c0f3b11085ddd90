// Reading and saving on Windows: the names go to the system as wide
// characters, so any name opens whatever the code page. CREATE_NEW,
// FlushFileBuffers, then MoveFileExW with MOVEFILE_WRITE_THROUGH, which
// returns only once the rename is on the disk. A file that another program
// holds open without sharing refuses the rename, and stays as it was. Such a
// hold is often brief (a virus scanner, the search indexer, a synced
// Documents folder opening the file that was just saved): the rename is
// tried again for a little while before the save fails. A failure is told by
// its GetLastError code.

#include "program/core/file_store_os.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <thread>

namespace zuzo::file_os {
namespace fs = std::filesystem;
namespace {

// How long a refused rename is tried again: the pauses between tries grow
// from 10 ms to 250 ms, about 2 s in all.
constexpr std::chrono::milliseconds kFirstPause{10};
constexpr std::chrono::milliseconds kLongestPause{250};
constexpr std::chrono::milliseconds kRetryTime{2000};

std::error_code system_error(DWORD error)
{
    return {static_cast<int>(error), std::system_category()};
}

std::error_code last_error()
{
    return system_error(GetLastError());
}

// The refusals that a file held open by another program gives.
bool held_by_another(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Writes everything; a write that takes nothing counts as a full disk.
std::error_code write_all(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr))
            return last_error();
        if (written == 0)
            return system_error(ERROR_DISK_FULL);
        bytes = bytes.subspan(written);
    }
    return {};
}

} // namespace

ReadOutcome read_start(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t most)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {last_error()};
    switch (GetFileType(file)) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_CHAR: // NUL, CON, a port
        CloseHandle(file);
        return {{}, EntryType::Device};
    case FILE_TYPE_PIPE:
        CloseHandle(file);
        return {{}, EntryType::Pipe};
    default:
        CloseHandle(file);
        return {{}, EntryType::Other};
    }
    std::array<std::uint8_t, std::size_t{64} * 1024> chunk{};
    std::error_code error;
    while (out.size() < most) {
        DWORD got = 0;
        const DWORD piece = static_cast<DWORD>(std::min(chunk.size(), most - out.size()));
        if (!ReadFile(file, chunk.data(), piece, &got, nullptr)) {
            error = last_error();
            break;
        }
        if (got == 0)
            break;
        out.insert(out.end(), chunk.begin(), chunk.begin() + got);
    }
    CloseHandle(file);
    return {error};
}

NewFileResult write_new_file(const fs::path& temp, std::span<const std::uint8_t> bytes,
                             const fs::path& /*like*/)
{
    // The new file takes the folder's access rights, as any new file does.
    const HANDLE file =
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return {error == ERROR_FILE_EXISTS ? NewFile::NameTaken : NewFile::NotCreated, system_error(error)};
    }
    std::error_code error = write_all(file, bytes);
    if (!error && !FlushFileBuffers(file))
        error = last_error();
    if (!CloseHandle(file) && !error)
        error = last_error();
    return {error ? NewFile::NotWritten : NewFile::Written, error};
}

std::error_code replace_refusal(const fs::path& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0)
        return {};
    return system_error(ERROR_ACCESS_DENIED);
}

std::error_code replace_file(const fs::path& from, const fs::path& to)
{
    std::chrono::milliseconds waited{0};
    std::chrono::milliseconds pause = kFirstPause;
    while (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (!held_by_another(error) || waited >= kRetryTime)
            return system_error(error);
        std::this_thread::sleep_for(pause);
        waited += pause;
        pause = std::min(pause * 2, kLongestPause);
    }
    return {};
}

} // namespace zuzo::file_os
