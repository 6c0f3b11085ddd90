#pragma once
// The optics settings of a device program as the device stores them: the 22
// bytes of a program write and the replies of the three optics reads.

#include "link/core/protocol.h"
#include "program/core/device_program.h"
#include "program/core/optics_range.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zuzo {

using OpticsBytes = std::array<std::uint8_t, 22>;

// The bytes of one optics value in a program write: one, or two for a
// threshold (low byte first); nothing when the value does not travel
// exactly.
struct ValueBytes {
    std::array<std::uint8_t, 2> bytes{};
    std::size_t count = 0;
};
[[nodiscard]] std::optional<ValueBytes> optics_value_bytes(const OpticsValue& v);

// Frame order of the program write: bytes 1..12 go with CMD_WRITE_OPTICS_A,
// 13..22 with CMD_WRITE_OPTICS_B (element 0 is byte 1). Brightness values are
// converted percent -> byte, each threshold gives its low and high byte.
// Nothing when a value would not reach the device exactly (see
// optics_range.h): a value is never squeezed into range.
[[nodiscard]] std::optional<OpticsBytes> optics_write_bytes(const DeviceProgram& p);

// The parameters of CMD_WRITE_OPTICS_A (bytes 1..12) and CMD_WRITE_OPTICS_B
// (bytes 13..22, then 0, 0).
[[nodiscard]] WriteParams write_a_params(const OpticsBytes& bytes);
[[nodiscard]] WriteParams write_b_params(const OpticsBytes& bytes);

// The parameters of CMD_BRIGHTNESS_PREVIEW: the five percentages of the set
// in channel order, converted, then seven zeros; nothing when a percentage
// is outside 0..100.
[[nodiscard]] std::optional<WriteParams> preview_params(const BrightnessSet& set);

// Stores the reply of CMD_READ_OPTICS_A, _B or _C into the program: bytes
// converted byte -> percent, optical_sensor_on = 1 - byte, threshold = 256 x
// first + second. Nothing is checked or limited. Returns false (and changes
// nothing) for any other code.
bool store_optics_reply(DeviceProgram& p, std::uint8_t code, const ReplyBytes& reply);

} // namespace zuzo
