#pragma once
// How far the device clock stands from the computer's. The device keeps
// local time to the second (second, minute, hour, day, month, year of its
// status reply), as the tool shows it beside the computer's; the offset is
// the device's time minus the computer's, in whole seconds, positive when
// the device is ahead. Whole seconds on both sides: the device sends no
// fraction, so the offset is good to about a second.

#include "link/core/status_reply.h"

#include <ctime>
#include <optional>

namespace zuzo {

// Nothing when the device's date and time are no real local time (hour 24,
// 31 April, a time the change to summer time skips).
[[nodiscard]] std::optional<long long> clock_offset_seconds(const DeviceClock& device, std::time_t computer);

} // namespace zuzo
