#include "link/core/registry_ports_windows.h"

#include <windows.h>

#include <algorithm>

namespace zuzo {
namespace {

constexpr DWORD kNameChars = 255; // value names, the terminating zero included
constexpr DWORD kDataBytes = 255; // value data

HKEY root_key(RegistryRoot root)
{
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The value's data as text, up to its first zero byte; false when it cannot
// be read into kDataBytes.
bool read_text(HKEY key, const char* name, std::string& text)
{
    BYTE data[kDataBytes];
    DWORD size = kDataBytes;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data, &size) != ERROR_SUCCESS)
        return false;
    const char* chars = reinterpret_cast<const char*>(data);
    text.assign(chars, std::find(chars, chars + size, '\0'));
    return true;
}

} // namespace

RegistryPortLister::RegistryPortLister(RegistryRoot root, std::string key) : root_(root), key_(std::move(key))
{
}

std::optional<std::vector<PortEntry>> RegistryPortLister::list()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_key(root_), key_.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<PortEntry> ports;
    for (DWORD index = 0;; ++index) {
        char name[kNameChars];
        DWORD length = kNameChars;
        const LONG status = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue; // a name longer than the buffer: not a port of ours
        if (status != ERROR_SUCCESS || length == 0)
            break;
        std::string port;
        if (!read_text(key, name, port) || !begins_with_com(port))
            continue;
        ports.push_back({std::string(name, length), std::move(port)});
    }
    RegCloseKey(key);
    return ports;
}

} // namespace zuzo
