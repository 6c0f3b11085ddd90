#include "program/core/file_store.h"

#include "program/core/file_store_os.h"

#include <random>
#include <utility>

namespace zuzo {
namespace fs = std::filesystem;
namespace {

constexpr int kLinkDepth = 40;  // a longer chain of links is taken as a loop
constexpr int kNameTries = 100; // temporary names tried before giving up

// Where the content of path really goes: the end of a chain of symbolic
// links (which may not exist yet), or path itself.
fs::path final_target(const fs::path& path)
{
    fs::path at = path;
    std::error_code ec;
    for (int depth = 0; depth < kLinkDepth && fs::is_symlink(at, ec); ++depth) {
        const fs::path next = fs::read_symlink(at, ec);
        if (ec)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

// "name.XXXXXX" beside target, the X random letters and digits.
fs::path temporary_name(const fs::path& target, std::mt19937& random)
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string suffix = ".";
    for (int k = 0; k < 6; ++k)
        suffix += kLetters[pick(random)];
    fs::path temp = target;
    temp += path_from_utf8(suffix);
    return temp;
}

FileResult stopped(FileStep step, std::error_code error)
{
    return {step, error, EntryType::Regular};
}

} // namespace

fs::path path_from_utf8(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8_from_path(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

EntryType entry_type(const fs::path& path)
{
    std::error_code ec;
    switch (fs::status(path, ec).type()) {
    case fs::file_type::regular:
        return EntryType::Regular;
    case fs::file_type::directory:
        return EntryType::Folder;
    case fs::file_type::block:
    case fs::file_type::character:
        return EntryType::Device;
    case fs::file_type::fifo:
        return EntryType::Pipe;
    case fs::file_type::socket:
        return EntryType::Socket;
    case fs::file_type::none:
    case fs::file_type::not_found:
        return EntryType::Missing;
    default:
        return EntryType::Other;
    }
}

FileResult read_file(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t limit)
{
    std::vector<std::uint8_t> bytes;
    // One byte more than the limit tells a file that is too long.
    if (const FileResult read = read_file_start(path, bytes, limit + 1); !read.done())
        return read;
    if (bytes.size() > limit)
        return {FileStep::TooLarge, std::make_error_code(std::errc::file_too_large), EntryType::Regular,
                limit};
    out = std::move(bytes);
    return {};
}

FileResult read_file_start(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t limit)
{
    if (entry_type(path) == EntryType::Folder)
        return {FileStep::NotRegular, std::make_error_code(std::errc::is_a_directory), EntryType::Folder};
    std::vector<std::uint8_t> bytes;
    const file_os::ReadOutcome read = file_os::read_start(path, bytes, limit);
    if (read.error)
        return stopped(FileStep::Open, read.error);
    if (read.found != EntryType::Regular)
        return {FileStep::NotRegular, {}, read.found};
    out = std::move(bytes);
    return {};
}

FileResult save_file(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    const fs::path target = final_target(path);
    if (target.empty())
        return stopped(FileStep::Create, std::make_error_code(std::errc::no_such_file_or_directory));
    if (const EntryType found = entry_type(target);
        found != EntryType::Regular && found != EntryType::Missing)
        return {FileStep::NotRegular, {}, found};
    if (const std::error_code refusal = file_os::replace_refusal(target))
        return stopped(FileStep::Protected, refusal);
    std::mt19937 random(std::random_device{}());
    std::error_code ec;
    for (int tries = 0; tries < kNameTries; ++tries) {
        const fs::path temp = temporary_name(target, random);
        const file_os::NewFileResult written = file_os::write_new_file(temp, bytes, target);
        switch (written.outcome) {
        case file_os::NewFile::NameTaken:
            continue;
        case file_os::NewFile::NotCreated:
            return stopped(FileStep::Create, written.error);
        case file_os::NewFile::NotWritten:
            fs::remove(temp, ec);
            return stopped(FileStep::Write, written.error);
        case file_os::NewFile::Written:
            break;
        }
        if (const std::error_code refused = file_os::replace_file(temp, target)) {
            fs::remove(temp, ec);
            return stopped(FileStep::Replace, refused);
        }
        return {};
    }
    return stopped(FileStep::Create, std::make_error_code(std::errc::file_exists));
}

} // namespace zuzo
