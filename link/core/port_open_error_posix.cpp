// A refused open on POSIX systems: the serial port layer calls both a held
// port (its lock file, or the exclusive mode of the terminal) and a device
// the user may not open a permission error; the device's own permissions
// tell them apart.

#include "link/core/port_open_error.h"

#include <unistd.h>

namespace zuzo {

PortOpenError classify_permission_error(const std::string& device_path)
{
    return ::access(device_path.c_str(), R_OK | W_OK) == 0 ? PortOpenError::Busy
                                                           : PortOpenError::NoPermission;
}

const char* port_permission_hint()
{
    return "; в Linux порты открывают члены группы dialout: sudo usermod -aG dialout $USER, затем войдите в "
           "систему заново";
}

} // namespace zuzo
