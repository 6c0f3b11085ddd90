#pragma once
// A fine system timer while the link is open. An exchange sleeps through
// the line time of the reply (serial_link.cpp); Windows ends a sleep only at
// its timer tick, 15.6 ms unless a program asks for a finer one, which would
// add up to a tick to every exchange of about 35 ms. While a FineTimer is
// held the tick is 1 ms there; on other systems sleeps end on time anyway
// and it does nothing (fine_timer_posix.cpp, fine_timer_windows.cpp).

namespace zuzo {

class FineTimer {
public:
    FineTimer() = default;
    ~FineTimer() { release(); }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;

    // Both may be called any number of times; the timer is asked for once.
    void hold();
    void release();

private:
    bool held_ = false;
};

} // namespace zuzo
