// What the serial link does alike on every platform.

#include "link/serial_link.h"

void SerialLink::expect_reply(std::size_t characters)
{
    expected_reply_ = characters;
}

bool SerialLink::link_is_open() const
{
    return held_;
}
