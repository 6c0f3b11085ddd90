#include "tools/pty_channel.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PtyChannel::PtyChannel(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return;
    termios tio{};
    if (::tcgetattr(fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
}

PtyChannel::~PtyChannel()
{
    close();
}

void PtyChannel::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::string PtyChannel::collect(int wait_ms)
{
    using Clock = std::chrono::steady_clock;
    std::string text;
    const auto end = Clock::now() + std::chrono::milliseconds(wait_ms);
    while (fd_ >= 0 && text.find("#\r") == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        char buf[201];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            text.append(buf, static_cast<std::size_t>(n));
        } else if (p.revents & (POLLHUP | POLLERR)) {
            peer_gone_ = true;
            break;
        }
    }
    return text;
}

zuzo::IoResult PtyChannel::run_io(const std::string& frame)
{
    char junk[201];
    while (::read(fd_, junk, sizeof junk) > 0) {
    }
    if (::write(fd_, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size()))
        return {zuzo::IoStatus::Stalled, {}};
    return {zuzo::IoStatus::Done, collect(300)};
}
