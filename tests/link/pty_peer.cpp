#include "link/pty_peer.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        master_ = -1;
        return;
    }
    slave_path_ = ::ptsname(master_);
    // Held open so that the master never sees a hang-up while the link is
    // closed between tests' steps.
    held_slave_ = ::open(slave_path_.c_str(), O_RDWR | O_NOCTTY);
}

PtyPeer::~PtyPeer()
{
    stop();
    if (held_slave_ >= 0)
        ::close(held_slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PtyPeer::stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void PtyPeer::answer(Script script)
{
    stop();
    stop_ = false;
    thread_ = std::thread([this, script = std::move(script)] { serve(script); });
}

void PtyPeer::serve(Script script)
{
    std::string pending;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        const int ready = ::poll(&p, 1, 20);
        if (ready <= 0 || !(p.revents & POLLIN))
            continue;
        char buffer[256];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got <= 0)
            continue;
        pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t cr = pending.find('\r'); cr != std::string::npos; cr = pending.find('\r')) {
            const std::string frame = pending.substr(0, cr + 1);
            pending.erase(0, cr + 1);
            {
                const std::lock_guard lock(mutex_);
                frames_.push_back(frame);
            }
            const std::vector<std::string> pieces = script(frame);
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                say(pieces[i]);
            }
        }
    }
}

std::vector<std::string> PtyPeer::frames() const
{
    const std::lock_guard lock(mutex_);
    return frames_;
}

std::string PtyPeer::drain()
{
    std::string text;
    for (;;) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
            return text;
        char buffer[256];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

void PtyPeer::say(const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(master_, text.data() + done, text.size() - done);
        if (put <= 0)
            return;
        done += static_cast<std::size_t>(put);
    }
}

void PtyPeer::vanish()
{
    stop();
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

int open_descriptors_on(const std::string& path)
{
    namespace fs = std::filesystem;
    int count = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc/self/fd", error)) {
        std::error_code link_error;
        // A terminal whose master side closed shows as "<path> (deleted)".
        const std::string target = fs::read_symlink(entry.path(), link_error).string();
        if (target == path || target == path + " (deleted)")
            ++count;
    }
    return count;
}
