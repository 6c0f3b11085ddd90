#include "link/serial_link.h"

SerialLink::SerialLink() = default;
