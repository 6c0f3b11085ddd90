#pragma once
// The companion's exit codes, and which of two counts as worse when one
// command ran on many devices.
//
//   0   everything done (verify: the device matches the file)
//   1   faults found (ptm check), or a device failed, refused, could not be
//       reached or was of another type, or a write was refused by the rules
//   2   bad usage, or a file, journal or the standard output unusable
//   3   the device (verify, write --verify) or the second file (ptm diff)
//       holds other settings
//   4   the device clock is further from the computer's than
//       --max-clock-offset allows, or cannot be read as a date
//   130 stopped by Ctrl+C
//
// Worst first: 130 (the run was stopped; a script should stop too), 2 (the
// record on this computer is not whole), 1 (a device is not set up), 3 (a
// device holds other settings), 4 (only the clock is off), 0.

namespace zuzo::cli {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAULTS = 1; // check found faults
inline constexpr int EXIT_DEVICE = 1; // the device failed, refused or is of another type
inline constexpr int EXIT_ERROR = 2;  // bad use, unreadable or malformed input, failed write
inline constexpr int EXIT_DIFFERS = 3;
inline constexpr int EXIT_CLOCK = 4;
inline constexpr int EXIT_STOPPED = 130; // as a shell reports a program ended by Ctrl+C

// The worse of two exit codes, in the order above; an unknown code counts
// as worse than 1 and better than 2.
[[nodiscard]] int worse_exit_code(int a, int b);

} // namespace zuzo::cli
