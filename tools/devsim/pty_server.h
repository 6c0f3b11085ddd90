#pragma once
// Serves a simulated device on a pseudo-terminal, published as a virtual COM
// port: a link COMn in the virtual port folder that leads to the terminal.
// The line runs on its own thread, sleeping in poll() until bytes arrive or
// it is told to stop. Each time a program opens the terminal the device
// begins a new session, however quickly it follows the last close.
// Instead of the device, the line can stand for a loopback plug, and an
// adapter's latency timer can hold what reaches the program (LineSettings).

#include "tools/devsim/adapter_hold.h"
#include "tools/devsim/frame_parser.h"
#include "tools/devsim/sim_device.h"

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

namespace zuzo::sim {

enum class ServeResult { Started, FolderRefused, PortTaken, NoTerminal, AlreadyRunning };

// What lies between the program and the device.
struct LineSettings {
    // No device: a plug joins transmit to receive, so every byte comes
    // back, each one as the line carries it (one character time at 9600
    // baud after the one before).
    bool loopback = false;
    // An adapter's latency timer on the way to the program (AdapterHold);
    // 0: none.
    std::chrono::milliseconds latency{0};
};

// What a result means, in Russian, for the simulator's messages.
[[nodiscard]] const char* describe(ServeResult r);

class PtyServer {
public:
    explicit PtyServer(SimDevice& device);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the terminal, links folder/com_name to it and starts the line. A
    // stale link of that name (leading nowhere) is replaced; a live one is
    // refused. The folder is created (0700) if missing and must be trusted.
    [[nodiscard]] ServeResult start(const std::string& folder, const std::string& com_name = "COM1");
    // Stops the line, closes the terminal and removes the link. Idempotent.
    void stop();
    // Takes effect at the next start.
    void set_line(const LineSettings& line) { line_ = line; }

    [[nodiscard]] const std::string& terminal_path() const { return terminal_; } // e.g. /dev/pts/3
    // Where the link was published; it stays named here after removal.
    [[nodiscard]] const std::string& link_path() const { return link_; }
    [[nodiscard]] bool running() const { return thread_.joinable(); }
    // True once the device has vanished (the terminal was closed by a fault).
    [[nodiscard]] bool vanished() const { return vanished_.load(); }
    // Lines received that held no valid frame.
    [[nodiscard]] std::size_t rejected() const { return rejected_.load(); }

private:
    void serve();
    using Clock = std::chrono::steady_clock;
    void send(const Response& r);
    // Writes text as the line carries it, one character time apart, the
    // first one character time after start; the time the last is due.
    Clock::time_point send_paced(std::string_view text, Clock::time_point start);
    // A plug returns what came in at arrived, after whatever it still returns.
    void echo(std::string_view bytes, Clock::time_point arrived);
    bool pause_until(std::chrono::steady_clock::time_point when); // false when told to stop
    void vanish();
    void remove_link();
    void take_opens();

    SimDevice& device_;
    int master_ = -1;
    int wake_[2] = {-1, -1};
    int opens_ = -1; // reports each open of the terminal (inotify); -1 without
    std::string terminal_;
    std::string link_;
    LineSettings line_;
    AdapterHold hold_;
    Clock::time_point echo_free_{}; // when the plug has returned what it got
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> vanished_{false};
    std::atomic<bool> published_{false}; // the link is ours and still there
    std::atomic<std::size_t> rejected_{0};
};

} // namespace zuzo::sim
