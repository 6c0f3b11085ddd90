#pragma once
// The gate of the program write over the eight check results.

struct MainControls;

// True when both plan results are 1 and all six optics codes are 0.
[[nodiscard]] bool write_gate_passes(const MainControls& ui);
