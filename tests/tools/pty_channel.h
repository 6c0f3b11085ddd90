#pragma once
// A plain POSIX serial line for tests of the simulator: opens a terminal
// raw and runs exchanges the way the tool does (flush, send, collect until
// "#" CR or 300 ms without it).

#include "link/core/io_channel.h"

#include <string>

class PtyChannel : public zuzo::IoChannel {
public:
    explicit PtyChannel(const std::string& path);
    ~PtyChannel() override;
    PtyChannel(const PtyChannel&) = delete;
    PtyChannel& operator=(const PtyChannel&) = delete;

    bool is_open() const override { return fd_ >= 0; }
    zuzo::IoResult run_io(const std::string& frame) override;
    void close();
    // Whatever arrives within wait_ms, without sending anything.
    std::string collect(int wait_ms);
    // True once the other end has gone (the line reported a hang-up).
    [[nodiscard]] bool peer_gone() const { return peer_gone_; }

private:
    int fd_ = -1;
    bool peer_gone_ = false;
};
