// Saving on POSIX systems: open with O_EXCL, fsync, rename, then fsync of
// the folder so that the rename itself survives a power cut.

#include "program/file_store_os.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zuzo::file_os {
namespace fs = std::filesystem;
namespace {

bool write_all(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
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

NewFile write_new_file(const fs::path& temp, std::span<const std::uint8_t> bytes, const fs::path& like)
{
    // 0666 less the umask, as for any new file; a replaced file's own mode.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? NewFile::NameTaken : NewFile::Failed;
    struct stat old {};
    if (::stat(like.c_str(), &old) == 0)
        (void)::fchmod(fd, old.st_mode & 07777);
    const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return written && closed ? NewFile::Written : NewFile::Failed;
}

bool may_replace(const fs::path& target)
{
    return ::access(target.c_str(), W_OK) == 0 || errno == ENOENT;
}

bool replace_file(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return false;
    sync_folder(to);
    return true;
}

} // namespace zuzo::file_os
