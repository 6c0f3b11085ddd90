#pragma once
// Asking the system to hand over received bytes at once. A USB serial
// adapter keeps what it receives for its latency time (often 16 ms) before
// passing it on, which lengthens every exchange; Linux lets a program that
// holds the port ask for low latency (the serial flag ASYNC_LOW_LATENCY,
// which drivers of such adapters turn into their shortest latency time).
// A port without that setting, such as a pseudo-terminal, refuses; that is
// no fault of the port and nothing is said about it.

namespace zuzo {

class LowLatency {
public:
    // Asks for low latency on the open port fd; true when the port has it
    // afterwards (already had it, or granted).
    bool request(int fd);
    // Gives the port back its own setting, if request changed it; call it
    // while fd is still open.
    void give_back(int fd);

private:
    bool changed_ = false;
};

} // namespace zuzo
