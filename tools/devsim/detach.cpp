#include "tools/devsim/detach.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zuzo::sim {
namespace {

// The first byte of the child's report.
constexpr char kPublished = '+';
constexpr char kFailed = '-';

std::string read_all(int fd)
{
    std::string text;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0)
            text.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            return text;
    }
}

int parent_side(pid_t child, int fd)
{
    const std::string report = read_all(fd);
    ::close(fd);
    if (!report.empty() && report[0] == kPublished) {
        std::printf("%ld\n", static_cast<long>(child));
        std::fflush(stdout);
        return 0;
    }
    // The child has given up (or died before it could tell): collect it, so
    // that nothing is left behind.
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const std::string reason = !report.empty() && report[0] == kFailed
                                   ? report.substr(1)
                                   : "симулятор завершился, не опубликовав порт";
    std::fprintf(stderr, "zuzo-devsim: %s\n", reason.c_str());
    return 1;
}

void quiet_streams()
{
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null < 0)
        return;
    for (int fd = 0; fd <= 2; ++fd)
        ::dup2(null, fd);
    if (null > 2)
        ::close(null);
}

} // namespace

ReadyLine::~ReadyLine()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ReadyLine& ReadyLine::operator=(ReadyLine&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void ReadyLine::tell(const std::string& text)
{
    if (fd_ < 0)
        return;
    std::size_t at = 0;
    while (at < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + at, text.size() - at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        at += static_cast<std::size_t>(n);
    }
    // Closing is what ends the parent's wait.
    ::close(fd_);
    fd_ = -1;
}

void ReadyLine::published()
{
    tell(std::string(1, kPublished));
}

void ReadyLine::failed(const std::string& reason)
{
    tell(kFailed + reason);
}

Detached detach()
{
    Detached d;
    int line[2];
    if (::pipe2(line, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "zuzo-devsim: не удалось уйти в фон: %s\n", std::strerror(errno));
        d.parent_exit = 1;
        return d;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::fprintf(stderr, "zuzo-devsim: не удалось уйти в фон: %s\n", std::strerror(errno));
        ::close(line[0]);
        ::close(line[1]);
        d.parent_exit = 1;
        return d;
    }
    if (child > 0) {
        ::close(line[1]);
        d.parent_exit = parent_side(child, line[0]);
        return d;
    }
    ::close(line[0]);
    ::setsid();
    [[maybe_unused]] const int in_root = ::chdir("/");
    quiet_streams();
    d.child.emplace(line[1]);
    return d;
}

} // namespace zuzo::sim
