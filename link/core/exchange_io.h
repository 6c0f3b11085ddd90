#pragma once
// The input/output half of one exchange, over any serial port: what the
// frame and the reply do on the line, and how long each may take. Written
// once for every system; a system's port only moves bytes (serial_port.h).
//
// 1. Whatever came before the exchange is dropped.
// 2. The frame is written while the reply wait runs: the wait counts from
//    the start, and what the device sends meanwhile waits in the port.
// 3. The reply is collected until it holds "#" CR or the reply wait (300 ms)
//    is over; a silent device costs the whole wait, a prompt one no more
//    than its reply. Once a reply of a told length has begun, the exchange
//    sleeps while all but its last character cross the line, instead of
//    waking for each one, and then takes what came.
// 4. A frame not wholly written when the reply wait ends gets the rest of
//    the exchange's limit (900 ms from the start), still queued as it was:
//    nothing waiting for the line is dropped before then. Only a frame that
//    could not be written within that limit makes the exchange stalled, and
//    what is left of it is dropped, never sent later.
// A device that goes away ends the exchange at once with what it had sent.
// Everything runs on the calling thread and waits on the port; there is no
// state beyond the call, so threads with a port each may exchange at once.

#include "link/core/io_channel.h"
#include "link/core/link_clock.h"
#include "link/core/serial_port.h"

#include <chrono>
#include <cstddef>
#include <string_view>

namespace zuzo {

inline constexpr std::chrono::milliseconds kReplyWait{300};
inline constexpr std::chrono::milliseconds kExchangeLimit{900};
// One character on the line: a start bit, 8 data bits, a stop bit.
inline constexpr std::chrono::nanoseconds kCharTime{10LL * 1000 * 1000 * 1000 / kLinkBaud};
// The most one read asks of the port; the rest waits for the next read.
inline constexpr std::size_t kReadBufferBytes = 201;

// One exchange on an open port. expected_reply: the characters of a
// well-formed reply (0: not known); it only paces the waiting, never what is
// collected. The reply is cut right after "#" CR; a stalled exchange has
// none.
[[nodiscard]] IoResult exchange_io(SerialPort& port, LinkClock& clock, std::string_view frame,
                                   std::size_t expected_reply);

} // namespace zuzo
