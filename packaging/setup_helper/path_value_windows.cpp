#include "packaging/setup_helper/path_value_windows.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace zuzo::setup {

namespace {

constexpr const wchar_t* SYSTEM_ENVIRONMENT =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const wchar_t* USER_ENVIRONMENT = L"Environment";
// The longest value an environment variable may have, in characters.
constexpr std::size_t PATH_LIMIT = 32767 - 1;

// The system's words for an error code, after the code itself.
std::wstring system_error(LSTATUS code)
{
    std::wstring text = L"ошибка " + std::to_wstring(code);
    wchar_t* words = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    if (length > 0 && words) {
        std::wstring said(words, length);
        while (!said.empty() &&
               (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' ' || said.back() == L'.'))
            said.pop_back();
        text += L": " + said;
    }
    LocalFree(words);
    return text;
}

// An entry of PATH names FOLDER: the same letters whatever their case, one
// trailing backslash on either side aside.
bool names_folder(std::wstring_view entry, std::wstring_view folder)
{
    auto bare = [](std::wstring_view s) {
        if (!s.empty() && s.back() == L'\\')
            s.remove_suffix(1);
        return s;
    };
    entry = bare(entry);
    folder = bare(folder);
    return !entry.empty() && CompareStringOrdinal(entry.data(), static_cast<int>(entry.size()), folder.data(),
                                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

struct Entry {
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::vector<Entry> entries_of(const std::wstring& text)
{
    std::vector<Entry> entries;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(L';', begin);
        entries.push_back({begin, end == std::wstring::npos ? text.size() : end});
        if (end == std::wstring::npos)
            return entries;
        begin = end + 1;
    }
}

// The text with FOLDER as its last entry; nothing when an entry names it.
// A text ending in a separator keeps it at its end.
std::optional<std::wstring> with_folder(const std::wstring& text, const std::wstring& folder)
{
    for (const Entry& e : entries_of(text))
        if (names_folder(std::wstring_view(text).substr(e.begin, e.end - e.begin), folder))
            return std::nullopt;
    if (text.empty())
        return folder;
    if (text.back() == L';')
        return text + folder + L';';
    return text + L';' + folder;
}

// The text without its last entry naming FOLDER, and without the separator
// after it (or, for the last entry, the one before it); nothing when no
// entry names it.
std::optional<std::wstring> without_folder(const std::wstring& text, const std::wstring& folder)
{
    const std::vector<Entry> entries = entries_of(text);
    for (std::size_t i = entries.size(); i-- > 0;) {
        const Entry e = entries[i];
        if (!names_folder(std::wstring_view(text).substr(e.begin, e.end - e.begin), folder))
            continue;
        std::wstring rest = text;
        if (e.end < text.size())
            rest.erase(e.begin, e.end - e.begin + 1);
        else if (e.begin > 0)
            rest.erase(e.begin - 1);
        else
            rest.clear();
        return rest;
    }
    return std::nullopt;
}

// The PATH value as read: its name as the registry spells it, its type,
// its text and the terminating zeros that followed the text.
struct PathValue {
    bool exists = false;
    std::wstring name = L"Path";
    DWORD type = REG_EXPAND_SZ;
    std::wstring text;
    std::size_t zeros = 1;
};

// The name of the value called PATH in any case, as the key holds it.
std::optional<std::wstring> path_name(HKEY key)
{
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status =
            RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        if (CompareStringOrdinal(name.data(), static_cast<int>(length), L"PATH", 4, TRUE) == CSTR_EQUAL)
            return std::wstring(name.data(), length);
    }
}

// Reads the value; on failure the reason, and value is left as it was.
std::optional<std::wstring> read_path(HKEY key, PathValue& value)
{
    const std::optional<std::wstring> name = path_name(key);
    if (!name)
        return std::nullopt;
    value.exists = true;
    value.name = *name;
    std::vector<BYTE> bytes;
    LSTATUS status = ERROR_MORE_DATA;
    for (int tries = 0; status == ERROR_MORE_DATA && tries < 8; ++tries) {
        DWORD size = 0;
        status = RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            break;
        bytes.resize(size);
        status = RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, bytes.data(), &size);
        bytes.resize(size);
    }
    if (status != ERROR_SUCCESS)
        return L"значение PATH не читается (" + system_error(status) + L")";
    if (value.type != REG_EXPAND_SZ && value.type != REG_SZ)
        return L"значение PATH — не строка (тип " + std::to_wstring(value.type) + L")";
    if (bytes.size() % sizeof(wchar_t) != 0)
        return L"значение PATH — не строка UTF-16 (" + std::to_wstring(bytes.size()) + L" байт)";
    std::wstring all(bytes.size() / sizeof(wchar_t), L'\0');
    if (!bytes.empty())
        CopyMemory(all.data(), bytes.data(), bytes.size());
    const std::size_t end = all.find_last_not_of(L'\0');
    value.text = end == std::wstring::npos ? std::wstring() : all.substr(0, end + 1);
    value.zeros = all.size() - value.text.size();
    if (value.text.find(L'\0') != std::wstring::npos)
        return std::wstring(L"значение PATH содержит нулевой знак внутри");
    return std::nullopt;
}

std::optional<std::wstring> write_path(HKEY key, const PathValue& value, const std::wstring& text)
{
    LSTATUS status = ERROR_SUCCESS;
    if (text.empty()) {
        status = RegDeleteValueW(key, value.name.c_str());
    } else {
        std::wstring all = text + std::wstring(value.exists ? value.zeros : 1, L'\0');
        status =
            RegSetValueExW(key, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(all.data()),
                           static_cast<DWORD>(all.size() * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        return L"запись в реестр не удалась (" + system_error(status) + L")";
    return std::nullopt;
}

enum class Verb { Add, Remove };

PathResult edit_path(PathScope scope, const std::wstring& folder, Verb verb)
{
    HKEY key = nullptr;
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY;
    const LSTATUS status = scope == PathScope::AllUsers
                               ? RegOpenKeyExW(HKEY_LOCAL_MACHINE, SYSTEM_ENVIRONMENT, 0, access, &key)
                               : RegCreateKeyExW(HKEY_CURRENT_USER, USER_ENVIRONMENT, 0, nullptr, 0, access,
                                                 nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return {PathEdit::Failed, L"раздел реестра не открывается (" + system_error(status) + L")"};
    PathResult result{PathEdit::Unchanged, {}};
    PathValue value;
    if (std::optional<std::wstring> problem = read_path(key, value)) {
        result = {PathEdit::Failed, *problem};
    } else {
        const std::optional<std::wstring> text =
            verb == Verb::Add ? with_folder(value.text, folder) : without_folder(value.text, folder);
        if (text && text->size() > PATH_LIMIT) {
            result = {PathEdit::Failed,
                      L"PATH стал бы длиннее " + std::to_wstring(PATH_LIMIT) + L" знаков, предела Windows"};
        } else if (text) {
            if (std::optional<std::wstring> failed = write_path(key, value, *text))
                result = {PathEdit::Failed, *failed};
            else
                result = {PathEdit::Changed, {}};
        }
    }
    RegCloseKey(key);
    return result;
}

} // namespace

PathResult add_to_path(PathScope scope, const std::wstring& folder)
{
    return edit_path(scope, folder, Verb::Add);
}

PathResult remove_from_path(PathScope scope, const std::wstring& folder)
{
    return edit_path(scope, folder, Verb::Remove);
}

void announce_environment_change()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, 5000, &answer);
}

} // namespace zuzo::setup
