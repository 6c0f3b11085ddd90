#pragma once
// What a USB serial adapter does to the bytes the device sends: it keeps
// them until its latency timer runs out and then hands over everything that
// came meanwhile in one block. The timer runs on from one hand-over to the
// next, so a byte waits anywhere from nothing to a whole period. A period of
// 0 is a line without an adapter: every byte goes on at once.

#include <chrono>

namespace zuzo::sim {

class AdapterHold {
public:
    using Clock = std::chrono::steady_clock;

    AdapterHold() = default;
    // The timer runs out at phase, phase + period, phase + 2 period, ...
    AdapterHold(std::chrono::milliseconds period, Clock::time_point phase) : period_(period), phase_(phase) {}

    // When a byte that reaches the adapter at due reaches the computer: the
    // first time the timer runs out at or after due.
    [[nodiscard]] Clock::time_point release(Clock::time_point due) const;
    [[nodiscard]] bool holds() const { return period_.count() > 0; }
    [[nodiscard]] std::chrono::milliseconds period() const { return period_; }

private:
    std::chrono::milliseconds period_{0};
    Clock::time_point phase_{};
};

} // namespace zuzo::sim
