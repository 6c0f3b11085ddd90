#include "link/core/exchange_io.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zuzo {
namespace {

// Appends a piece read from the port (a zero byte ends the piece); true once
// reply holds "#" CR, reply then cut right after it (what came after it is
// dropped by the next exchange).
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

// How long the characters still missing from a reply of the expected length
// take on the line, all but the last one: that one is waited for as it
// comes, so that the reply is seen complete as soon as it is. Zero when
// nothing is missing; never more than a second.
std::chrono::nanoseconds rest_of_reply(std::size_t have, std::size_t expected)
{
    if (have + 1 >= expected)
        return std::chrono::nanoseconds::zero();
    const std::size_t missing = std::min<std::size_t>(expected - have, 1000);
    return kCharTime * static_cast<long long>(missing - 1);
}

// Reads until the reply holds "#" CR or the deadline has passed; always at
// least one read, which takes what is waiting even when the deadline has
// passed already. False when the device went away.
bool collect_reply(SerialPort& port, LinkClock& clock, LinkTime deadline, std::size_t expected,
                   std::string& reply)
{
    char buffer[kReadBufferBytes];
    for (;;) {
        const bool began = reply.empty();
        const PortIo got = port.read(buffer, sizeof buffer, deadline);
        if (take_reply_piece(reply, buffer, got.count))
            return true;
        if (got.lost)
            return false;
        if (got.count == 0)
            return true; // nothing came in time
        if (began && !reply.empty() && reply.size() < expected) {
            // The reply has begun and the rest is on its way: sleep while it
            // crosses the line (once: the reply stays begun), then take what
            // came, also when the sleep used up the time left.
            clock.sleep_until(std::min(clock.now() + rest_of_reply(reply.size(), expected), deadline));
            continue;
        }
        if (clock.now() >= deadline)
            return true;
    }
}

} // namespace

IoResult exchange_io(SerialPort& port, LinkClock& clock, std::string_view frame, std::size_t expected_reply)
{
    IoResult result;
    const LinkTime start = clock.now();
    const LinkTime reply_by = start + kReplyWait;
    port.discard_input();
    const PortIo sent = port.write(frame.data(), frame.size(), reply_by);
    if (sent.lost)
        return result;
    if (!collect_reply(port, clock, reply_by, expected_reply, result.reply))
        return result;
    if (sent.count < frame.size()) {
        // The rest of the frame is still queued: it has until the limit to
        // go out, and only then is anything dropped.
        const PortIo rest = port.finish_write(start + kExchangeLimit);
        if (!rest.lost && sent.count + rest.count < frame.size()) {
            port.drop_output();
            result.status = IoStatus::Stalled;
            result.reply.clear();
        }
    }
    return result;
}

} // namespace zuzo
