#include "program/core/file_causes.h"

#include <iterator>

namespace zuzo {
namespace fs = std::filesystem;
namespace {

// Causes that read the same whatever the step.
struct SystemCause {
    std::errc condition;
    const char* text;
};

constexpr SystemCause kSystemCauses[] = {
    {std::errc::no_space_on_device, "нет места на диске"},
    {std::errc::file_too_large, "превышен предельный размер файла"},
    {std::errc::read_only_file_system, "диск доступен только для чтения"},
    {std::errc::io_error, "ошибка ввода-вывода"},
    {std::errc::device_or_resource_busy, "файл занят другой программой или системой"},
    {std::errc::text_file_busy, "файл занят другой программой"},
    {std::errc::is_a_directory, "это папка, а не файл"},
    {std::errc::filename_too_long, "слишком длинное имя файла"},
    {std::errc::too_many_symbolic_link_levels, "символические ссылки ведут по кругу"},
};

std::string quoted(const fs::path& path)
{
    return "«" + utf8_from_path(path) + "»";
}

fs::path folder_of(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// A name that leads nowhere: the first folder on the way that is missing or
// is no folder, else the file itself.
std::string missing_cause(const fs::path& path)
{
    fs::path lowest_missing;
    for (fs::path at = folder_of(path);; at = at.parent_path()) {
        const EntryType type = entry_type(at);
        if (type == EntryType::Missing)
            lowest_missing = at;
        else if (type != EntryType::Folder)
            return quoted(at) + " не папка";
        else
            break;
        if (!at.has_parent_path() || at.parent_path() == at)
            break;
    }
    if (!lowest_missing.empty())
        return "нет папки " + quoted(folder_of(path));
    return "файла нет";
}

std::string not_regular_cause(EntryType found)
{
    switch (found) {
    case EntryType::Folder:
        return "это папка, а не файл";
    case EntryType::Device:
        return "это файл устройства, а не обычный файл";
    case EntryType::Pipe:
        return "это именованный канал, а не обычный файл";
    case EntryType::Socket:
        return "это сокет, а не обычный файл";
    case EntryType::Missing:
    case EntryType::Regular:
    case EntryType::Other:
        break;
    }
    return "это не обычный файл";
}

std::string no_right_cause(FileStep step, const fs::path& path)
{
    switch (step) {
    case FileStep::Open:
        return "нет прав на чтение";
    case FileStep::Protected:
        return "файл защищен от записи";
    case FileStep::Replace:
        return "файл занят другой программой или защищен от замены";
    case FileStep::Create:
    case FileStep::Write:
    case FileStep::Done:
    case FileStep::NotRegular:
    case FileStep::TooLarge:
        break;
    }
    return "нет прав на запись в папку " + quoted(folder_of(path));
}

// A size in the largest whole unit: "400 байт", "64 КиБ", "4 МиБ".
std::string size_words(std::size_t bytes)
{
    constexpr std::size_t kKib = 1024;
    if (bytes >= kKib * kKib && bytes % (kKib * kKib) == 0)
        return std::to_string(bytes / (kKib * kKib)) + " МиБ";
    if (bytes >= kKib && bytes % kKib == 0)
        return std::to_string(bytes / kKib) + " КиБ";
    return std::to_string(bytes) + " байт";
}

} // namespace

std::string file_cause(const FileResult& r, const fs::path& path)
{
    if (r.step == FileStep::NotRegular)
        return not_regular_cause(r.found);
    if (r.step == FileStep::TooLarge)
        return "файл слишком большой (больше " + size_words(r.limit) + ")";
    const std::error_code& e = r.error;
    if (r.step == FileStep::Protected && e == std::errc::read_only_file_system)
        return "диск доступен только для чтения";
    if (e == std::errc::permission_denied || e == std::errc::operation_not_permitted)
        return no_right_cause(r.step, path);
    if (e == std::errc::no_such_file_or_directory || e == std::errc::not_a_directory)
        return missing_cause(path);
    for (const SystemCause& c : kSystemCauses) {
        if (e == c.condition)
            return c.text;
    }
    if (!e)
        return "система отказала без объяснения причины";
    return "ошибка системы: " + e.message();
}

} // namespace zuzo
