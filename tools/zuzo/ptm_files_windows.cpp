// Why a file failed, asked of Windows: the path and its folder are looked
// at, and the file or a scratch file of the folder is opened again, so that
// the system's own answer (GetLastError) names the cause.

#include "tools/zuzo/ptm_files.h"

#include "program/file_store.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

namespace zuzo::cli {
namespace {

namespace fs = std::filesystem;

std::string folder_of(const std::string& path)
{
    const fs::path parent = path_from_utf8(path).parent_path();
    return parent.empty() ? std::string(".") : utf8_from_path(parent);
}

std::string error_cause(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return cause::kNoSpace;
    case ERROR_WRITE_PROTECT:
        return cause::kReadOnlyDisk;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return cause::kInUse;
    case ERROR_FILE_NOT_FOUND:
        return cause::kNoFile;
    default:
        return "ошибка системы " + std::to_string(error);
    }
}

std::string folder_problem(const std::string& folder)
{
    std::error_code ec;
    const fs::path p = path_from_utf8(folder);
    if (!fs::exists(p, ec))
        return no_folder_cause(folder);
    if (!fs::is_directory(p, ec))
        return not_a_folder_cause(folder);
    return {};
}

// Tries to create and fill a scratch file of the size in the folder; the
// error of the first step that fails, 0 when all went well.
DWORD probe_write(const std::string& folder, std::size_t size)
{
    const fs::path name =
        path_from_utf8(folder) / (L".zuzo-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
    const HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    const std::vector<char> zeros(std::min<std::size_t>(size, 4u << 20), 0);
    DWORD error = 0;
    DWORD wrote = 0;
    if (!zeros.empty() && (!WriteFile(h, zeros.data(), static_cast<DWORD>(zeros.size()), &wrote, nullptr) ||
                           wrote != zeros.size()))
        error = GetLastError() != 0 ? GetLastError() : ERROR_DISK_FULL;
    else if (!FlushFileBuffers(h))
        error = GetLastError();
    CloseHandle(h);
    return error;
}

} // namespace

std::string read_cause(const std::string& path)
{
    const fs::path p = path_from_utf8(path);
    std::error_code ec;
    if (!fs::exists(p, ec)) {
        const std::string problem = folder_problem(folder_of(path));
        return std::string(problem.empty() ? cause::kNoFile : problem);
    }
    if (fs::is_directory(p, ec))
        return cause::kIsFolder;
    const HANDLE h = CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return std::string(error == ERROR_ACCESS_DENIED ? cause::kNoReadRight : error_cause(error));
    }
    CloseHandle(h);
    return cause::kInputOutput;
}

std::string write_cause(const std::string& path, std::size_t size)
{
    const std::string folder = folder_of(path);
    const std::string problem = folder_problem(folder);
    if (!problem.empty())
        return problem;
    const fs::path p = path_from_utf8(path);
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return cause::kIsFolder;
    if (fs::exists(p, ec)) {
        const DWORD attributes = GetFileAttributesW(p.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return cause::kWriteProtected;
        const HANDLE h =
            CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return std::string(error == ERROR_ACCESS_DENIED ? cause::kWriteProtected : error_cause(error));
        }
        CloseHandle(h);
    }
    const DWORD error = probe_write(folder, size);
    if (error == ERROR_ACCESS_DENIED)
        return no_folder_right_cause(folder);
    if (error != 0)
        return error_cause(error);
    return cause::kRefused;
}

} // namespace zuzo::cli
