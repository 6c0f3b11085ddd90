#include "tools/devsim/pty_server.h"

#include "link/core/port_names_posix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zuzo::sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kCharTime = std::chrono::nanoseconds(1041667); // 10 bits at 9600 baud
constexpr auto kPieceGap = std::chrono::milliseconds(3);      // between pieces of a split answer
constexpr int kHangupPollMs = 10;                             // how often a line without a peer looks again

void close_fd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool link_is_stale(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0;
}

} // namespace

const char* describe(ServeResult r)
{
    switch (r) {
    case ServeResult::Started:
        return "порт опубликован";
    case ServeResult::FolderRefused:
        return "папку виртуальных портов не удалось создать, она принадлежит другому пользователю или в нее "
               "могут писать другие";
    case ServeResult::PortTaken:
        return "порт с этим именем уже опубликован и действует (например, его обслуживает другой симулятор)";
    case ServeResult::NoTerminal:
        return "не удалось открыть псевдотерминал";
    case ServeResult::AlreadyRunning:
        return "устройство уже обслуживается";
    }
    return "неизвестная ошибка";
}

PtyServer::PtyServer(SimDevice& device) : device_(device) {}

PtyServer::~PtyServer()
{
    stop();
}

ServeResult PtyServer::start(const std::string& folder, const std::string& com_name)
{
    if (thread_.joinable())
        return ServeResult::AlreadyRunning;
    if (ensure_port_folder(folder) != FolderStatus::Ok)
        return ServeResult::FolderRefused;
    const std::string link = folder + "/" + com_name;
    if (link_is_stale(link))
        ::unlink(link.c_str());

    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[PATH_MAX] = {};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        close_fd(master_);
        return ServeResult::NoTerminal;
    }
    // Raw line: no echo of answers back to the device, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(master_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(master_, TCSANOW, &tio);
    }
    if (::symlink(name, link.c_str()) != 0) {
        close_fd(master_);
        return ServeResult::PortTaken;
    }
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::unlink(link.c_str());
        close_fd(master_);
        return ServeResult::NoTerminal;
    }
    // Opens of the terminal are seen here even when a program closes and
    // opens it again before the line notices the hang-up in between.
    opens_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (opens_ >= 0 && ::inotify_add_watch(opens_, name, IN_OPEN) < 0)
        close_fd(opens_);
    terminal_ = name;
    link_ = link;
    hold_ = AdapterHold(line_.latency, Clock::now());
    echo_free_ = {};
    published_.store(true);
    stop_.store(false);
    vanished_.store(false);
    thread_ = std::thread([this] { serve(); });
    return ServeResult::Started;
}

void PtyServer::stop()
{
    if (thread_.joinable()) {
        stop_.store(true);
        const char byte = 1;
        [[maybe_unused]] const auto n = ::write(wake_[1], &byte, 1);
        thread_.join();
    }
    close_fd(wake_[0]);
    close_fd(wake_[1]);
    close_fd(opens_);
    close_fd(master_);
    remove_link();
}

void PtyServer::take_opens()
{
    if (opens_ < 0)
        return;
    alignas(inotify_event) char buf[4096];
    bool opened = false;
    for (;;) {
        const ssize_t n = ::read(opens_, buf, sizeof buf);
        if (n <= 0)
            break;
        for (std::size_t at = 0; at + sizeof(inotify_event) <= static_cast<std::size_t>(n);) {
            inotify_event e{};
            std::memcpy(&e, buf + at, sizeof e);
            opened = opened || (e.mask & IN_OPEN) != 0;
            at += sizeof e + e.len;
        }
    }
    if (opened)
        device_.begin_session();
}

void PtyServer::remove_link()
{
    if (!published_.exchange(false))
        return;
    char target[PATH_MAX] = {};
    const ssize_t n = ::readlink(link_.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == terminal_)
        ::unlink(link_.c_str());
}

void PtyServer::vanish()
{
    // Link and flag first: whoever sees the line drop finds the device gone.
    remove_link();
    vanished_.store(true);
    close_fd(master_);
}

bool PtyServer::pause_until(Clock::time_point when)
{
    while (!stop_.load()) {
        const auto now = Clock::now();
        if (now >= when)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(when - now);
        timespec ts{static_cast<time_t>(left.count() / 1000000000),
                    static_cast<long>(left.count() % 1000000000)};
        pollfd p{wake_[0], POLLIN, 0};
        ::ppoll(&p, 1, &ts, nullptr);
    }
    return false;
}

void PtyServer::send(const Response& r)
{
    const std::string& text = r.text;
    if (r.pace) {
        (void)send_paced(text, Clock::now());
        return;
    }
    const std::size_t piece = r.split > 0 ? static_cast<std::size_t>(r.split) : text.size();
    for (std::size_t at = 0; at < text.size() && master_ >= 0; at += piece) {
        const std::size_t len = std::min(piece, text.size() - at);
        const Clock::time_point due = at > 0 ? Clock::now() + kPieceGap : Clock::now();
        if (!pause_until(hold_.release(due)))
            return;
        if (::write(master_, text.data() + at, len) < 0 && errno != EAGAIN)
            return;
    }
}

PtyServer::Clock::time_point PtyServer::send_paced(std::string_view text, Clock::time_point start)
{
    Clock::time_point next = start;
    for (std::size_t at = 0; at < text.size() && master_ >= 0;) {
        next += kCharTime;
        std::size_t len = 1;
        const Clock::time_point out = hold_.release(next);
        // The adapter hands over in one block what reached it by then.
        while (at + len < text.size() && next + kCharTime <= out) {
            next += kCharTime;
            ++len;
        }
        if (!pause_until(out) || (::write(master_, text.data() + at, len) < 0 && errno != EAGAIN))
            break;
        at += len;
    }
    return next;
}

void PtyServer::echo(std::string_view bytes, Clock::time_point arrived)
{
    echo_free_ = send_paced(bytes, std::max(echo_free_, arrived));
}

void PtyServer::serve()
{
    FrameParser parser;
    bool hung_up = false; // no program holds the terminal open
    char buf[256];
    while (!stop_.load()) {
        if (master_ < 0 || hung_up) {
            // Nobody on the line (or the device has vanished): look again later.
            pollfd p{wake_[0], POLLIN, 0};
            ::poll(&p, 1, master_ < 0 ? -1 : kHangupPollMs);
            if (master_ < 0)
                continue;
        }
        pollfd fds[3] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}, {opens_, POLLIN, 0}};
        if (::poll(fds, 3, hung_up ? 0 : -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            char drain[16];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
            continue;
        }
        // A program opens the terminal before it writes: its open is taken
        // before its first frame is read.
        take_opens();
        if (hung_up && !(fds[0].revents & POLLHUP)) {
            device_.begin_session(); // a program opened the terminal again
            hung_up = false;
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && errno == EAGAIN)
                continue;
            if (!hung_up)
                device_.end_session(); // the last holder closed the terminal
            hung_up = true;
            continue;
        }
        if (hung_up) {
            device_.begin_session();
            hung_up = false;
        }
        const Clock::time_point arrived = Clock::now();
        if (line_.loopback) {
            echo(std::string_view(buf, static_cast<std::size_t>(n)), arrived);
            continue;
        }
        std::vector<Frame> frames;
        parser.feed(std::string_view(buf, static_cast<std::size_t>(n)), frames);
        rejected_.store(parser.rejected());
        for (const Frame& f : frames) {
            Response r = device_.respond(f);
            if (r.vanish) {
                vanish();
                break;
            }
            if (r.text.empty())
                continue;
            if (r.pace && !pause_until(arrived + kCharTime * static_cast<long>(f.text.size() + 1)))
                return;
            send(r);
        }
    }
}

} // namespace zuzo::sim
