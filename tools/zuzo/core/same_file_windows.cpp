// One file is one volume serial number and file index, whatever the names
// (links, letter case, short names) that lead there. Both files are opened
// for no access at all, sharing everything, so an open file is no obstacle.

#include "tools/zuzo/core/same_file.h"

#include "program/core/file_store.h"

#include <windows.h>

#include <optional>

namespace zuzo::cli {
namespace {

struct FileIdentity {
    DWORD volume = 0;
    DWORD index_high = 0;
    DWORD index_low = 0;
};

std::optional<FileIdentity> identity(const std::string& name)
{
    const HANDLE file =
        CreateFileW(path_from_utf8(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

} // namespace

bool same_file(const std::string& first, const std::string& second)
{
    const std::optional<FileIdentity> a = identity(first);
    const std::optional<FileIdentity> b = identity(second);
    return a && b && a->volume == b->volume && a->index_high == b->index_high && a->index_low == b->index_low;
}

} // namespace zuzo::cli
