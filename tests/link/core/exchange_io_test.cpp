// The input/output half of an exchange against a scripted port on a clock
// of the test's own: what the device sends and when, when the frame gets
// out, when the device goes away. Times are exact, so every deadline of the
// exchange is checked to the nanosecond, with no waiting.

#include "link/core/exchange_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace zuzo;
using namespace std::chrono_literals;
using Span = std::chrono::nanoseconds;

namespace {

constexpr Span kNever = Span::max();
const std::string kFrame = "80000028\r";
const std::string kDataReply = "0102030405060708090AF5on#\r"; // 26 characters

// A clock that moves only when the port waits or the exchange sleeps.
class ScriptedClock final : public LinkClock {
public:
    [[nodiscard]] LinkTime now() const override { return now_; }
    void sleep_until(LinkTime t) override { now_ = std::max(now_, t); }
    [[nodiscard]] Span since_start() const { return now_ - LinkTime{}; }

private:
    LinkTime now_{};
};

struct Piece {
    Span at; // since the exchange began
    std::string text;
};

struct Script {
    std::vector<Piece> pieces;     // what the device sends, in time order
    Span frame_out = Span::zero(); // when the frame has wholly gone out (kNever: never)
    std::size_t goes_at_once = 0;  // characters that go out before the frame is held up
    Span lost_at = kNever;         // when the device goes away
};

class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(ScriptedClock& clock, Script script) : clock_(clock), script_(std::move(script)) {}

    PortOpenError open(const std::string&) override { return PortOpenError::None; }
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }

    PortIo write(const char* data, std::size_t n, LinkTime deadline) override
    {
        if (gone())
            return {0, true};
        const std::size_t count =
            std::min(n, script_.goes_at_once - std::min(script_.goes_at_once, written.size()));
        written.append(data, count);
        queued_.assign(data + count, n - count);
        return wait_out(deadline, count);
    }

    PortIo finish_write(LinkTime deadline) override
    {
        if (gone())
            return {0, true};
        return wait_out(deadline, 0);
    }

    void drop_output() override
    {
        dropped_at = clock_.now() - LinkTime{};
        queued_.clear();
    }

    PortIo read(char* buffer, std::size_t n, LinkTime deadline) override
    {
        ++reads;
        arrive();
        if (gone())
            return {0, true};
        if (waiting_.empty() && next_ < script_.pieces.size())
            deadline = std::min(deadline, at(script_.pieces[next_].at));
        if (waiting_.empty() && wait_until(deadline))
            return {0, true};
        arrive();
        const std::size_t count = std::min(n, waiting_.size());
        std::copy_n(waiting_.begin(), count, buffer);
        waiting_.erase(0, count);
        return {count, false};
    }

    void discard_input() override
    {
        arrive();
        waiting_.clear();
    }

    std::string written;
    int reads = 0;
    std::optional<Span> dropped_at; // when what was queued was dropped

private:
    static LinkTime at(Span since_start) { return LinkTime{} + since_start; }

    // What is queued goes out whole when the script says, if that is by the
    // deadline; moved: what the call had sent already.
    PortIo wait_out(LinkTime deadline, std::size_t moved)
    {
        if (queued_.empty())
            return {moved, false};
        const bool in_time = script_.frame_out != kNever && at(script_.frame_out) <= deadline;
        if (wait_until(in_time ? at(script_.frame_out) : deadline))
            return {moved, true};
        if (in_time) {
            moved += queued_.size();
            written += queued_;
            queued_.clear();
        }
        return {moved, false};
    }

    void arrive()
    {
        for (; next_ < script_.pieces.size() && at(script_.pieces[next_].at) <= clock_.now(); ++next_)
            waiting_ += script_.pieces[next_].text;
    }

    // Moves the clock on to t, or to the loss if that comes first; true
    // when the device went away.
    bool wait_until(LinkTime t)
    {
        if (script_.lost_at != kNever)
            t = std::min(t, std::max(clock_.now(), at(script_.lost_at)));
        clock_.sleep_until(t);
        return gone();
    }

    bool gone()
    {
        if (open_ && script_.lost_at != kNever && at(script_.lost_at) <= clock_.now())
            open_ = false;
        return !open_;
    }

    ScriptedClock& clock_;
    Script script_;
    std::size_t next_ = 0;
    std::string waiting_;
    std::string queued_; // written, not out yet
    bool open_ = true;
};

// A reply as the device sends it at 9600 baud, one character at a time.
std::vector<Piece> paced(Span from, const std::string& text)
{
    std::vector<Piece> out;
    for (std::size_t k = 0; k < text.size(); ++k)
        out.push_back({from + kCharTime * static_cast<long long>(k), text.substr(k, 1)});
    return out;
}

struct Row {
    const char* name;
    Script script;
    std::size_t told = 0; // the reply length told beforehand
    IoStatus status = IoStatus::Done;
    std::string reply;
    Span ends;           // when the exchange returns
    std::string written; // what went out
    int reads = -1;      // -1: not counted
};

class ExchangeIo : public ::testing::TestWithParam<Row> {};

TEST_P(ExchangeIo, KeepsItsDeadlines)
{
    const Row& row = GetParam();
    ScriptedClock clock;
    ScriptedPort port(clock, row.script);
    const IoResult result = exchange_io(port, clock, kFrame, row.told);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.reply, row.reply);
    EXPECT_EQ(clock.since_start(), row.ends);
    EXPECT_EQ(port.written, row.written);
    if (row.reads >= 0) {
        EXPECT_EQ(port.reads, row.reads);
    }
    // What waits for the line is dropped only by a stall, at the limit.
    EXPECT_EQ(port.dropped_at, row.status == IoStatus::Stalled ? std::optional<Span>(900ms) : std::nullopt);
}

const Span kPacedStart = 15ms;
const Span kPacedEnd = kPacedStart + kCharTime * 25; // the last of 26 characters

INSTANTIATE_TEST_SUITE_P(
    ScriptedPort, ExchangeIo,
    ::testing::Values(
        Row{"prompt", {{{20ms, "on#\r"}}}, 4, IoStatus::Done, "on#\r", 20ms, kFrame},
        Row{"in_pieces",
            {{{10ms, "0102"}, {15ms, "on"}, {25ms, "#\r"}}},
            0,
            IoStatus::Done,
            "0102on#\r",
            25ms,
            kFrame},
        Row{"hash_and_cr_apart", {{{10ms, "of#"}, {12ms, "\r"}}}, 0, IoStatus::Done, "of#\r", 12ms, kFrame},
        Row{"silent_one_wait", {}, 26, IoStatus::Done, "", 300ms, kFrame, 1},
        Row{"late_cut_at_the_wait",
            {{{250ms, "01"}, {320ms, "on#\r"}}},
            0,
            IoStatus::Done,
            "01",
            300ms,
            kFrame},
        Row{"trailing_bytes_cut", {{{20ms, "on#\rMORE"}}}, 4, IoStatus::Done, "on#\r", 20ms, kFrame},
        Row{"zero_byte_ends_piece",
            {{{10ms, std::string("on\0xx", 5)}, {12ms, "#\r"}}},
            0,
            IoStatus::Done,
            "on#\r",
            12ms,
            kFrame},
        Row{"earlier_input_dropped",
            {{{0ms, "of#\r"}, {20ms, "on#\r"}}},
            4,
            IoStatus::Done,
            "on#\r",
            20ms,
            kFrame},
        // The reply wait runs while the frame is held up: what came within
        // it counts, what came after it does not, and the frame still has
        // until 900 ms to get out.
        Row{"reply_during_slow_write",
            {{{100ms, "on#\r"}}, 500ms},
            4,
            IoStatus::Done,
            "on#\r",
            500ms,
            kFrame},
        Row{"reply_after_the_wait", {{{400ms, "on#\r"}}, 500ms}, 4, IoStatus::Done, "", 500ms, kFrame},
        Row{"frame_held_then_sent_once", {{}, 600ms, 4}, 0, IoStatus::Done, "", 600ms, kFrame},
        Row{"frame_never_out", {{{100ms, "on#\r"}}, kNever}, 4, IoStatus::Stalled, "", 900ms, ""},
        Row{"frame_out_too_late", {{}, 950ms, 4}, 0, IoStatus::Stalled, "", 900ms, kFrame.substr(0, 4)},
        // The device goes away: the exchange ends then, with what it sent.
        Row{"lost_mid_reply", {{{10ms, "0102"}}, 0ms, 0, 50ms}, 0, IoStatus::Done, "0102", 50ms, kFrame},
        Row{"lost_before_the_frame", {{}, 0ms, 0, 0ms}, 0, IoStatus::Done, "", 0ms, ""},
        Row{"lost_while_writing", {{}, 500ms, 0, 400ms}, 0, IoStatus::Done, "", 400ms, ""},
        // A reply of the told length wakes the exchange three times: its
        // first character, all but the last after a sleep, the last one.
        Row{"paced_told",
            {paced(kPacedStart, kDataReply)},
            26,
            IoStatus::Done,
            kDataReply,
            kPacedEnd,
            kFrame,
            3},
        Row{"paced_untold",
            {paced(kPacedStart, kDataReply)},
            0,
            IoStatus::Done,
            kDataReply,
            kPacedEnd,
            kFrame,
            26},
        // The sleep never passes the reply wait; what came by then is taken.
        Row{"paced_too_late_to_finish",
            {paced(290ms, kDataReply)},
            26,
            IoStatus::Done,
            kDataReply.substr(0, 10),
            300ms,
            kFrame,
            2}),
    [](const ::testing::TestParamInfo<Row>& param) { return std::string(param.param.name); });

// The milliseconds a port's wait is given for a deadline: rounded up, never
// negative, never more than a port's wait takes.
TEST(ExchangeIoWait, MillisecondsUntilTheDeadline)
{
    const LinkTime now = LinkTime{} + 5s;
    const struct {
        Span left;
        long long ms;
    } rows[] = {{0ns, 0}, {-1ns, 0},      {-5s, 0},     {1ns, 1},
                {1ms, 1}, {1ms + 1ns, 2}, {300ms, 300}, {std::chrono::hours(24 * 30), kLongestWaitMs}};
    for (const auto& row : rows)
        EXPECT_EQ(ms_until(now + row.left, now), row.ms) << row.left.count() << " ns";
}

} // namespace
