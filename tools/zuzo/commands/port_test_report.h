#pragma once
// What "zuzo port test" found on a port with a loopback plug, and what it
// means for the device: whether every byte came back intact, how long the
// adapter held them beyond their time on the line, and whether the device's
// exchanges still fit the reply wait. Told as one Russian block or one JSON
// object.

#include "link/core/port_open_error.h"
#include "tools/zuzo/json/json.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zuzo::cli {

// The round trips of a test and the bytes of each pattern.
inline constexpr int kLoopTrips = 64;
inline constexpr std::size_t kPatternBytes = 16;
// The longest exchange of the device on the line: a status request or an
// optics read, 9 characters out and 26 back.
inline constexpr std::size_t kLongestExchangeCharacters = 35;

// One pattern out and what came back.
struct LoopTrip {
    std::size_t sent = kPatternBytes;
    std::size_t back = 0;     // bytes of the pattern's length that came back in time
    std::size_t altered = 0;  // of those, bytes other than the ones sent
    std::size_t extra = 0;    // bytes beyond the pattern, or before it was sent
    double round_trip_ms = 0; // from the write to the last byte back, when all came back
};

struct LoopTest {
    std::string port;
    PortOpenError port_error = PortOpenError::None; // None: the port opened
    std::vector<LoopTrip> trips;                    // ends early when a pattern came back short
};

enum class LoopVerdict { Good, NothingBack, Damaged, TooSlow, PortFailed };

struct LoopJudgement {
    LoopVerdict verdict = LoopVerdict::NothingBack;
    std::size_t sent = 0;
    std::size_t back = 0;
    std::size_t lost = 0;
    std::size_t altered = 0;
    std::size_t extra = 0;
    int complete_trips = 0; // trips whose whole pattern came back
    double line_ms = 0;     // one pattern's own time on the line
    double median_ms = 0;   // the adapter's added latency over the complete trips
    double worst_ms = 0;
    double exchange_ms = 0;   // the longest exchange with the worst latency added
    double reply_wait_ms = 0; // 300
};

[[nodiscard]] LoopJudgement judge_loop(const LoopTest& test);

// The block of text (a line per finding, a summary last); the JSON object:
// port, round_trips, bytes (sent, back, lost, altered, extra), intact,
// latency_ms (median, worst, or null when nothing came back whole),
// line_time_ms, longest_exchange_ms, reply_wait_ms, reply_wait_holds,
// outcome ("good", "nothing_back", "damaged", "too_slow", "port_failed"),
// result, exit_code (and port_error when the port did not open).
[[nodiscard]] std::string loop_text(const LoopTest& test, const LoopJudgement& j);
// Its last line: "Итог: ...; код возврата N".
[[nodiscard]] std::string loop_summary(const LoopTest& test, const LoopJudgement& j);
[[nodiscard]] json::Value loop_json(const LoopTest& test, const LoopJudgement& j);
// 0 good, 1 anything else.
[[nodiscard]] int loop_exit_code(const LoopJudgement& j);

} // namespace zuzo::cli
