#include "tools/zuzo/journal_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zuzo::cli {

JournalFile::~JournalFile()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

bool JournalFile::open(const std::filesystem::path& path, std::string_view first_rows)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    handle_ = fd;
    // Runs that start together each find the file empty: the lock lets one
    // of them write the first rows and shows the others a started file.
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    const bool started = start(first_rows);
    (void)::flock(fd, LOCK_UN);
    return started;
}

bool JournalFile::start(std::string_view first_rows)
{
    const int fd = static_cast<int>(handle_);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (st.st_size == 0)
        return write_synced(first_rows);
    char last = 0;
    if (::pread(fd, &last, 1, st.st_size - 1) != 1)
        return false;
    needs_break_ = last != '\n';
    return true;
}

bool JournalFile::write_synced(std::string_view text)
{
    const int fd = static_cast<int>(handle_);
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    if (done == text.size())
        return ::fsync(fd) == 0;
    // A row cut short (a full disk) goes again, unless someone added after it.
    struct stat after {};
    if (done > 0 && ::fstat(fd, &after) == 0 && after.st_size == before.st_size + static_cast<off_t>(done) &&
        ::ftruncate(fd, before.st_size) == 0)
        (void)::fsync(fd);
    return false;
}

} // namespace zuzo::cli
