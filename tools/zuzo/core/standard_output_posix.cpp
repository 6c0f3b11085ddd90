// Standard output on POSIX systems: file descriptor 1, every byte or errno.
// SIGPIPE and SIGXFSZ are ignored, so that a write into a closed pipe or
// past the file size limit fails with EPIPE or EFBIG and is told as such.

#include "tools/zuzo/core/standard_output.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace zuzo::cli {

void keep_failed_writes_from_ending_the_program()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

std::error_code write_standard_output(const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {errno == EDQUOT ? ENOSPC : errno, std::system_category()};
        if (n == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

} // namespace zuzo::cli
