#pragma once
// What a device holds after "zuzo device ...", as far as it is known. A
// device that no write frame reached is untouched. Once a frame has gone
// out the device may have stored it, reply or not: a write that did not
// finish reads the optics back and compares them with what the device held
// before the write and with the file. What cannot be read back is unknown,
// never untouched.

#include "link/core/optics_bytes.h"

#include <string>

namespace zuzo::cli {

enum class DeviceHolds {
    Untouched,   // as before the command
    PartWritten, // part 1 of the file's optics (CMD_WRITE_OPTICS_A), the rest as before
    Written,     // the file's optics, acknowledged (or read back)
    Verified,    // the file's optics, written and read back (write --verify)
    Other,       // read back: neither what it held before nor the file nor part 1 of it
    Unknown,     // a frame went out and the optics could not be read back
};

// What a device holds and whether that was read back from it.
struct Holding {
    DeviceHolds holds = DeviceHolds::Untouched;
    bool read_back = false;
};

// Its name in the JSON ("untouched", "part_written", "written", "verified",
// "other", "unknown").
[[nodiscard]] const char* holds_name(DeviceHolds holds);

// In words for the line and the journal ("устройство не изменено"), led
// by "прочитано обратно: " when read back.
[[nodiscard]] std::string holds_words(const Holding& h);

// In a few words for the summary of many devices ("не изменено").
[[nodiscard]] std::string holds_short(const Holding& h);

// What optics read back after an unfinished write of file mean, against
// what the device held before it.
[[nodiscard]] DeviceHolds compare_held(const OpticsBytes& now, const OpticsBytes& before,
                                       const OpticsBytes& file);

} // namespace zuzo::cli
