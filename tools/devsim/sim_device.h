#pragma once
// The simulated device's state and its answers to frames.

namespace zuzo::sim {
class SimDevice {
public:
    SimDevice();
};
} // namespace zuzo::sim
