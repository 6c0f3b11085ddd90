#pragma once
// A bare pseudo-terminal for tests of the serial link: the test holds the
// master side and plays the device on it, the link opens the slave side.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PtyPeer {
public:
    // Answers one received frame (text up to and including CR); the pieces
    // are written one after the other, with a short pause between them.
    using Script = std::function<std::vector<std::string>(const std::string& frame)>;

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    [[nodiscard]] bool ok() const { return master_ >= 0 && held_slave_ >= 0; }
    [[nodiscard]] const std::string& slave_path() const { return slave_path_; }
    // A descriptor of the slave side that the test holds open (for termios).
    [[nodiscard]] int held_slave() const { return held_slave_; }

    // Starts answering every frame with script, on a thread of the peer.
    void answer(Script script);
    // Frames received so far by the answering thread.
    [[nodiscard]] std::vector<std::string> frames() const;
    // Without an answering thread: everything waiting on the master side.
    [[nodiscard]] std::string drain();
    // Writes text on the master side (the device speaks unasked).
    void say(const std::string& text);
    // The device goes away: the master side closes.
    void vanish();

private:
    void stop();
    void serve(Script script);

    int master_ = -1;
    int held_slave_ = -1;
    std::string slave_path_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> frames_;
};

// How many descriptors of this process are open on path (also after the
// terminal behind it went away).
[[nodiscard]] int open_descriptors_on(const std::string& path);
