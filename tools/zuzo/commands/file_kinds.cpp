#include "tools/zuzo/commands/file_kinds.h"

#include "plans/core/plan_csv.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/core/text_input.h"
#include "tools/zuzo/json/json.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zuzo::cli {
namespace {

const char* kind_name(FileKind kind)
{
    switch (kind) {
    case FileKind::Program:
        return "файл программы";
    case FileKind::Table:
        return "таблица плана";
    case FileKind::Json:
        return "JSON";
    case FileKind::Picture:
        return "рисунок";
    case FileKind::Journal:
        break;
    }
    return "журнал";
}

// PNG by its signature, SVG by its root element near the start.
bool is_picture(std::string_view bytes)
{
    if (bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n")
        return true;
    const std::string_view head = bytes.substr(0, 1024);
    const std::size_t first = head.find_first_not_of(" \t\r\n\xEF\xBB\xBF"); // blanks, byte order mark
    return first != std::string_view::npos && head[first] == '<' &&
           head.find("<svg") != std::string_view::npos;
}

bool is_journal(std::string_view bytes)
{
    return journal_layout(bytes).has_value(); // either layout's header row
}

// The kind of a file's content; nothing when it is none of them.
std::optional<FileKind> kind_of(const std::vector<std::uint8_t>& bytes)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    DeviceProgram program;
    if (read_ptm(bytes, program) == PtmReadResult::Loaded)
        return FileKind::Program;
    if (is_journal(text))
        return FileKind::Journal;
    if (is_picture(text))
        return FileKind::Picture;
    const std::string utf8 = utf8_text(bytes);
    if (json::parse(utf8).status == json::ParseStatus::Ok)
        return FileKind::Json;
    if (is_plan_table(text))
        return FileKind::Table;
    return std::nullopt;
}

} // namespace

std::string target_refusal(const std::string& path)
{
    const EntryType found = entry_type(path_from_utf8(path));
    if (found == EntryType::Regular || found == EntryType::Missing)
        return {};
    return write_problem({FileStep::NotRegular, {}, found}, path);
}

std::string output_refusal(const std::string& path, FileKind kind)
{
    if (std::string refusal = target_refusal(path); !refusal.empty())
        return refusal;
    std::vector<std::uint8_t> bytes;
    if (entry_type(path_from_utf8(path)) == EntryType::Missing || !read_input_start(path, bytes).done() ||
        bytes.empty())
        return {}; // a file that cannot be read is told by the write
    const std::optional<FileKind> found = kind_of(bytes);
    if (found == kind)
        return {};
    const std::string what =
        found ? std::string("это ") + kind_name(*found) + ", а не " : std::string("это не ");
    return what + kind_name(kind) + "; файл не изменен";
}

} // namespace zuzo::cli
