#pragma once
// What every platform's serial link shares about one exchange on the line:
// its timings at 9600 baud and how a reply is collected from the pieces the
// port hands over (link/serial_link_qt.cpp, link/serial_link_windows.cpp).

#include <chrono>
#include <cstddef>
#include <string>

namespace zuzo {

inline constexpr int kLinkBaud = 9600;
inline constexpr long long kReplyWaitMs = 300;     // the device gets this long to answer
inline constexpr long long kExchangeLimitMs = 900; // the whole exchange, frame written or not
// One character on the line: a start bit, 8 data bits, a stop bit.
inline constexpr std::chrono::nanoseconds kCharTime{10LL * 1000 * 1000 * 1000 / kLinkBaud};

// Appends a piece read from the port to reply (a zero byte ends the piece);
// true once reply holds "#" CR, reply then cut right after it (what came
// after it is flushed by the next exchange).
bool take_reply_piece(std::string& reply, const char* data, std::size_t n);

// How long the characters still missing from a reply of the expected length
// take on the line, all but the last one: that one is waited for as it
// comes, so that the reply is seen complete as soon as it is. Zero when
// nothing is missing; never more than a second.
[[nodiscard]] std::chrono::nanoseconds rest_of_reply(std::size_t have, std::size_t expected);

} // namespace zuzo
