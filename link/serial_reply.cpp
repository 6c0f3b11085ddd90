#include "link/serial_reply.h"

#include <algorithm>
#include <cstring>

namespace zuzo {

bool take_reply_piece(std::string& reply, const char* data, std::size_t n)
{
    if (n > 0)
        reply.append(data, strnlen(data, n));
    const std::size_t end = reply.find("#\r");
    if (end == std::string::npos)
        return false;
    reply.resize(end + 2);
    return true;
}

std::chrono::nanoseconds rest_of_reply(std::size_t have, std::size_t expected)
{
    if (have + 1 >= expected)
        return std::chrono::nanoseconds::zero();
    // More than a second of line time is past any deadline of an exchange.
    const std::size_t missing = std::min<std::size_t>(expected - have, 1000);
    return kCharTime * static_cast<long long>(missing - 1);
}

} // namespace zuzo
