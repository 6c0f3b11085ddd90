#include "link/serial/low_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace zuzo {

bool LowLatency::request(int fd)
{
    changed_ = false;
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) // no serial settings: a pseudo-terminal
        return false;
    if ((serial.flags & ASYNC_LOW_LATENCY) != 0)
        return true;
    serial.flags |= static_cast<int>(ASYNC_LOW_LATENCY);
    changed_ = ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
    return changed_;
}

void LowLatency::give_back(int fd)
{
    if (!changed_)
        return;
    changed_ = false;
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags &= ~static_cast<int>(ASYNC_LOW_LATENCY);
    (void)::ioctl(fd, TIOCSSERIAL, &serial);
}

} // namespace zuzo
