#pragma once
// The time an exchange runs on: its deadlines and the one sleep it takes
// while a reply crosses the line (exchange_io.h). The link runs on the
// system's steady clock; a test of the exchange runs it on a clock of its
// own, which moves only when the test's port or a sleep moves it.

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

} // namespace zuzo
