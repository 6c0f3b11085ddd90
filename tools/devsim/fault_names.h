#pragma once
// The simulator's faults by name, as the command line and tests give them.

#include "tools/devsim/sim_device.h"

#include <string_view>

namespace zuzo::sim {

// Applies "NAME" or "NAME=N" to faults; false for an unknown name or a bad
// number. Names: silence, silence-after=N, garbage, bad-checksum,
// wrong-length, of, os, ol, wrong-type[=N], ignore=CODE, faulty-frames=N,
// faulty-from=N, split[=N], trailing, vanish[=N], pace. N is decimal, CODE hexadecimal as the
// messages write command codes ("ignore=80" is the status command); either
// may be given hexadecimal after "0x". A reply fault (silence, garbage,
// bad-checksum, wrong-length, of, os, ol, wrong-type[=N]) may be aimed:
// "NAME[=N]@CODE[#K]", the K-th frame of that code only ("os@88#2"), or
// without "#K" every one ("ol@0B").
[[nodiscard]] bool apply_fault(std::string_view setting, Faults& faults);

// The names above, one a line with what each does (Russian), for the help.
[[nodiscard]] const char* fault_names_help();

} // namespace zuzo::sim
