#include "link/core/status_reply.h"

namespace zuzo {
namespace {

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

DeviceIdentity status_identity(const ReplyBytes& status)
{
    return {status.byte(1)};
}

SensorState status_sensor(const ReplyBytes& status)
{
    return {status.byte(4) == 0, status.byte(3) * 256 + status.byte(2)};
}

std::optional<DeviceClock> status_clock(const ReplyBytes& status)
{
    const DeviceClock c{2000 + status.byte(8), status.byte(7), status.byte(6), status.byte(5),
                        status.byte(4),        status.byte(3), status.byte(2)};
    if (!within(c.second, 0, 59) || !within(c.minute, 0, 59) || !within(c.hour, 0, 24) ||
        !within(c.weekday, 1, 7) || !within(c.day, 1, 31) || !within(c.month, 1, 12))
        return std::nullopt;
    return c;
}

} // namespace zuzo
