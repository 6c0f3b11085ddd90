#pragma once
// Optics settings for transfer tests, and what a partial program read leaves.

#include "program/device_program.h"

namespace robustness {

// Optics that pass every rule, distinct from the factory values, that travel
// to the device and back unchanged.
[[nodiscard]] zuzo::DeviceProgram sample_optics(zuzo::DeviceProgram base = {});

// before, with the fields of the first `commands` optics reads (A, B, C in
// that order) taken from source: what a read that stopped after `commands`
// completed commands leaves in the program.
[[nodiscard]] zuzo::DeviceProgram after_partial_read(zuzo::DeviceProgram before,
                                                     const zuzo::DeviceProgram& source, int commands);

} // namespace robustness
