// Reading and saving on POSIX systems: open with O_EXCL, fsync, rename, then
// fsync of the folder so that the rename itself survives a power cut. A
// failure is told by its errno; a full quota counts as a full disk.

#include "program/core/file_store_os.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zuzo::file_os {
namespace fs = std::filesystem;
namespace {

std::error_code last_error()
{
    const int error = errno == EDQUOT ? ENOSPC : errno;
    return {error, std::system_category()};
}

// Writes everything; a write that takes nothing counts as a full disk.
std::error_code write_all(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return last_error();
        if (n == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return {};
}

// What a file that is not regular is, by its mode.
EntryType entry_type_of(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryType::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return EntryType::Device;
    if (S_ISFIFO(mode))
        return EntryType::Pipe;
    if (S_ISSOCK(mode))
        return EntryType::Socket;
    return EntryType::Other;
}

void sync_folder(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

ReadOutcome read_start(const fs::path& path, std::vector<std::uint8_t>& out, std::size_t most)
{
    // Without waiting: opening a named pipe would wait for its writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {last_error()};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const std::error_code error = last_error();
        ::close(fd);
        return {error};
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return {{}, entry_type_of(st.st_mode)};
    }
    std::array<std::uint8_t, std::size_t{64} * 1024> chunk{};
    std::error_code error;
    while (out.size() < most) {
        const ssize_t n = ::read(fd, chunk.data(), std::min(chunk.size(), most - out.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = last_error();
        if (n <= 0)
            break;
        out.insert(out.end(), chunk.begin(), chunk.begin() + n);
    }
    ::close(fd);
    return {error};
}

NewFileResult write_new_file(const fs::path& temp, std::span<const std::uint8_t> bytes, const fs::path& like)
{
    // 0666 less the umask, as for any new file; a replaced file's own mode.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return {errno == EEXIST ? NewFile::NameTaken : NewFile::NotCreated, last_error()};
    struct stat old {};
    if (::stat(like.c_str(), &old) == 0)
        (void)::fchmod(fd, old.st_mode & 07777);
    std::error_code error = write_all(fd, bytes);
    if (!error && ::fsync(fd) != 0)
        error = last_error();
    if (::close(fd) != 0 && !error)
        error = last_error();
    return {error ? NewFile::NotWritten : NewFile::Written, error};
}

std::error_code replace_refusal(const fs::path& target)
{
    if (::access(target.c_str(), W_OK) == 0 || errno == ENOENT)
        return {};
    return last_error();
}

std::error_code replace_file(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return last_error();
    sync_folder(to);
    return {};
}

} // namespace zuzo::file_os
