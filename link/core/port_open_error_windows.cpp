// A refused open on Windows: a serial port is opened without sharing, so
// access denied to an existing port means that another program holds it.

#include "link/core/port_open_error.h"

namespace zuzo {

PortOpenError classify_permission_error(const std::string& /*device_path*/)
{
    return PortOpenError::Busy;
}

const char* port_permission_hint()
{
    return "";
}

} // namespace zuzo
