#include "program/file_store.h"

#include "program/file_store_os.h"

#include <array>
#include <fstream>
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

FileResult read_file(const fs::path& path, std::vector<std::uint8_t>& out)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return FileResult::Failed;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileResult::Failed;
    std::vector<std::uint8_t> bytes;
    std::array<char, 64 * 1024> chunk{};
    do {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.insert(bytes.end(), chunk.data(), chunk.data() + in.gcount());
    } while (in);
    if (in.bad())
        return FileResult::Failed;
    out = std::move(bytes);
    return FileResult::Done;
}

FileResult save_file(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    const fs::path target = final_target(path);
    std::error_code ec;
    if (target.empty() || fs::is_directory(target, ec) || !file_os::may_replace(target))
        return FileResult::Failed;
    std::mt19937 random(std::random_device{}());
    for (int tries = 0; tries < kNameTries; ++tries) {
        const fs::path temp = temporary_name(target, random);
        const file_os::NewFile written = file_os::write_new_file(temp, bytes, target);
        if (written == file_os::NewFile::NameTaken)
            continue;
        if (written == file_os::NewFile::Written && file_os::replace_file(temp, target))
            return FileResult::Done;
        fs::remove(temp, ec);
        return FileResult::Failed;
    }
    return FileResult::Failed;
}

} // namespace zuzo
