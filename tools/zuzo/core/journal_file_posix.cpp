#include "tools/zuzo/core/journal_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zuzo::cli {
namespace {

std::error_code last_error()
{
    return {errno == EDQUOT ? ENOSPC : errno, std::system_category()};
}

} // namespace

JournalFile::~JournalFile()
{
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

FileResult JournalFile::open_file(const std::filesystem::path& path, std::string_view first_rows)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return refused_open(path, last_error());
    handle_ = fd;
    // Runs that start together each find the file empty: the lock lets one
    // of them write the first rows and shows the others a started file.
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return {FileStep::Open, last_error(), EntryType::Regular};
    }
    const FileResult started = start(first_rows);
    (void)::flock(fd, LOCK_UN);
    return started;
}

FileResult JournalFile::start(std::string_view first_rows)
{
    const int fd = static_cast<int>(handle_);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {FileStep::Open, last_error(), EntryType::Regular};
    if (!S_ISREG(st.st_mode))
        return {FileStep::NotRegular, {}, EntryType::Other};
    if (st.st_size == 0) {
        if (const std::error_code error = write_synced(first_rows))
            return {FileStep::Write, error, EntryType::Regular};
        return {};
    }
    char last = 0;
    if (::pread(fd, &last, 1, st.st_size - 1) != 1)
        return {FileStep::Open, last_error(), EntryType::Regular};
    needs_break_ = last != '\n';
    return {};
}

std::error_code JournalFile::write_synced(std::string_view text)
{
    const int fd = static_cast<int>(handle_);
    struct stat before {};
    if (::fstat(fd, &before) != 0)
        return last_error();
    std::size_t done = 0;
    std::error_code error;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? last_error() : std::make_error_code(std::errc::no_space_on_device);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (done == text.size())
        return ::fsync(fd) == 0 ? std::error_code() : last_error();
    // A row cut short (a full disk) goes again, unless someone added after it.
    struct stat after {};
    if (done > 0 && ::fstat(fd, &after) == 0 && after.st_size == before.st_size + static_cast<off_t>(done) &&
        ::ftruncate(fd, before.st_size) == 0)
        (void)::fsync(fd);
    return error;
}

} // namespace zuzo::cli
