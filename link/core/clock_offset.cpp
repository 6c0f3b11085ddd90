#include "link/core/clock_offset.h"

namespace zuzo {

std::optional<long long> clock_offset_seconds(const DeviceClock& device, std::time_t computer)
{
    std::tm local{};
    local.tm_year = device.year - 1900;
    local.tm_mon = device.month - 1;
    local.tm_mday = device.day;
    local.tm_hour = device.hour;
    local.tm_min = device.minute;
    local.tm_sec = device.second;
    local.tm_isdst = -1; // whichever the local rules say for that date
    const std::tm asked = local;
    const std::time_t at = std::mktime(&local);
    if (at == static_cast<std::time_t>(-1))
        return std::nullopt;
    // mktime carries what does not exist into the next field (hour 24 into
    // the next day): such a date is none the device can mean.
    if (local.tm_year != asked.tm_year || local.tm_mon != asked.tm_mon || local.tm_mday != asked.tm_mday ||
        local.tm_hour != asked.tm_hour || local.tm_min != asked.tm_min || local.tm_sec != asked.tm_sec)
        return std::nullopt;
    return static_cast<long long>(at) - static_cast<long long>(computer);
}

} // namespace zuzo
