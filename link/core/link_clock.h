#pragma once
// The time an exchange runs on: its deadlines and the one sleep it takes
// while a reply crosses the line (exchange_io.h). The link runs on the
// system's steady clock; a test of the exchange runs it on a clock of its
// own, which moves only when the test's port or a sleep moves it. Every
// system's port turns a deadline into the milliseconds of its waits here
// (ms_until), in one place.

#include <algorithm>
#include <chrono>
#include <thread>

namespace zuzo {

using LinkTime = std::chrono::steady_clock::time_point;

class LinkClock {
public:
    virtual ~LinkClock() = default;
    [[nodiscard]] virtual LinkTime now() const = 0;
    // Returns at once when t has passed.
    virtual void sleep_until(LinkTime t) = 0;
};

class SystemLinkClock final : public LinkClock {
public:
    [[nodiscard]] LinkTime now() const override { return std::chrono::steady_clock::now(); }
    void sleep_until(LinkTime t) override
    {
        const auto pause = t - now();
        if (pause > pause.zero())
            std::this_thread::sleep_for(pause);
    }
};

// The longest wait one call on a port is given, in milliseconds: what the
// waits of every system's port take (a signed 32-bit count).
inline constexpr long long kLongestWaitMs = 0x7fffffff;

// The milliseconds a port's wait is given to end at deadline, seen at now:
// rounded up, so that the wait never ends before the deadline; 0 once it
// has passed; never more than kLongestWaitMs.
[[nodiscard]] inline long long ms_until(LinkTime deadline, LinkTime now)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return std::clamp<long long>(left.count(), 0, kLongestWaitMs);
}

} // namespace zuzo
