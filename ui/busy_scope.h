#pragma once
// Raises a busy counter (AppContext::busy) for the lifetime of a nested event
// loop, so that timer ticks arriving in it are dropped.

class BusyScope {
public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& busy_;
};
