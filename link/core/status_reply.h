#pragma once
// The reply of CMD_STATUS, which the device fills in two ways: connect reads
// who the device is, its optical sensor and the illuminance it measures;
// supervision reads the device clock. Its byte layout lives here alone.

#include "link/core/protocol.h"

#include <optional>

namespace zuzo {

struct DeviceIdentity {
    int type_code = 0; // byte 1
    [[nodiscard]] bool supported() const { return type_code == DEVICE_TYPE_CODE; }
};

struct SensorState {
    bool on = false;         // byte 4 is 0; any other value: off
    int illuminance_lux = 0; // byte 3 x 256 + byte 2
};

struct DeviceClock {
    int year = 2000; // 2000 + byte 8
    int month = 1;   // byte 7, 1..12
    int day = 1;     // byte 6, 1..31
    int weekday = 1; // byte 5, 1 = Monday .. 7 = Sunday
    int hour = 0;    // byte 4, 0..24
    int minute = 0;  // byte 3, 0..59
    int second = 0;  // byte 2, 0..59
};

[[nodiscard]] DeviceIdentity status_identity(const ReplyBytes& status);
[[nodiscard]] SensorState status_sensor(const ReplyBytes& status);
// Nothing when a byte is outside its range. Bytes within their ranges that
// form no real date (hour 24, 31 April) are given as the device sent them.
[[nodiscard]] std::optional<DeviceClock> status_clock(const ReplyBytes& status);

} // namespace zuzo
