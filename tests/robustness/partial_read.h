#pragma once
// What a program read that stopped part of the way leaves in the program.

#include "program/core/device_program.h"

namespace robustness {

// before, with the fields of the first `commands` optics reads (A, B, C in
// that order) taken from source: what a read that stopped after `commands`
// completed commands leaves in the program.
[[nodiscard]] zuzo::DeviceProgram after_partial_read(zuzo::DeviceProgram before,
                                                     const zuzo::DeviceProgram& source, int commands);

} // namespace robustness
