#pragma once
// The simulated device: its state, its switchable faults and its answers to
// command frames. Thread-safe: the line thread answers while tests and the
// command line change the state.

#include "link/core/optics_bytes.h"
#include "tools/devsim/frame_parser.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zuzo::sim {

// The reply faults that can be aimed at one command.
enum class ReplyFault { Silence, Garbage, BadChecksum, WrongLength, Of, Os, Ol, WrongType };

// A reply fault aimed at the frames of one command code: every one of them,
// or only the occurrence-th (counted from 1 since the faults were set),
// whatever faulty_frames says.
struct AimedFault {
    ReplyFault fault = ReplyFault::Os;
    std::uint8_t code = 0;
    int occurrence = 0; // 0: every frame of that code
    int type_code = 24; // WrongType: the type reported
    bool operator==(const AimedFault&) const = default;
};

// Faults, any combination. Reply faults (silence .. wrong_type) apply to the
// next faulty_frames frames only, or to every frame while that is negative;
// and not before frame number faulty_from (counted from 0); aimed faults
// apply to the frames they name.
struct Faults {
    bool silence = false;          // no answer at all
    int silence_after = -1;        // answer this many frames, then nothing (negative: off)
    bool garbage = false;          // noise without any marker instead of the answer
    bool bad_checksum = false;     // read answers carry a wrong checksum pair
    bool wrong_length = false;     // read answers lose their first data character
    bool of = false;               // "of#" instead of "on#"
    bool os = false;               // "os#" instead of "on#" (microcontroller EEPROM)
    bool ol = false;               // "ol#" instead of "on#" (external EEPROM)
    std::optional<int> type_code;  // status byte 1 other than 25
    std::set<std::uint8_t> ignore; // command codes never answered
    int faulty_frames = -1;
    std::vector<AimedFault> aimed;
    int faulty_from = 0;
    // Transport faults, applied by the line.
    int split = 0;         // answers written in pieces of this many characters
    bool trailing = false; // bytes after the "#" CR of an answer
    int vanish_after = -1; // answer this many frames, then close the line
    bool pace = false;     // 9600 baud: 1.0417 ms per character each way
};

// Which reading the status command answers: identification (type code,
// illuminance, sensor state) or the clock. Auto identifies at the start of
// each session (each time a program opens the line) until an identification
// has gone out whole, then answers the clock: an identification lost to a
// fault (an EEPROM marker answered "repeat", a broken checksum) comes again.
enum class StatusReply { Auto, Identify, Clock };

// What the line should do with one frame.
struct Response {
    std::string text; // empty: say nothing
    bool vanish = false;
    int split = 0;
    bool pace = false;
};

// The answer to one frame plus what was received, for the log.
struct Received {
    Frame frame;
    std::string answer; // empty when the device stayed silent
};

class SimDevice {
public:
    SimDevice();

    // The answer to one frame (called by the line thread).
    Response respond(const Frame& frame);
    // A new session began: the line was opened afresh.
    void begin_session();
    // The session ended: the last program holding the line closed it.
    void end_session();
    // Sessions ended so far, and a wait until at least n have ended.
    [[nodiscard]] int sessions_ended() const;
    bool wait_for_sessions_ended(int n, std::chrono::milliseconds limit) const;

    void set_faults(const Faults& f);
    [[nodiscard]] Faults faults() const;

    void set_status_reply(StatusReply r);
    void set_lux(int lux);
    // Whether the device uses its optical sensor: the setting of its optics
    // memory that a program write sets too, and that the status reply
    // reports.
    void set_sensor_on(bool on);
    // The clock: the system time, a set local time that then runs on, or seven
    // raw bytes (second, minute, hour, weekday 1..7, day, month, year - 2000)
    // sent as they are, range checks included.
    void use_system_clock();
    void set_clock(const std::tm& local);
    // The system time run ahead (positive) or behind by whole seconds.
    void set_clock_offset(long long seconds);
    void set_clock_bytes(const std::array<std::uint8_t, 7>& bytes);
    [[nodiscard]] std::array<std::uint8_t, 7> clock_bytes() const;

    // The 22 bytes of the optics memory, in write order.
    void set_optics(const OpticsBytes& bytes);
    [[nodiscard]] OpticsBytes optics() const;
    // The last brightness preview (five bytes) and how many were received.
    [[nodiscard]] std::array<std::uint8_t, 5> preview() const;
    [[nodiscard]] int preview_count() const;

    // Every valid frame received, oldest first (a very long session keeps
    // only its newest frames).
    [[nodiscard]] std::vector<Received> received() const;
    [[nodiscard]] std::size_t frame_count() const;
    void clear_received();
    // Waits until at least n frames have been received; false on time-out.
    bool wait_for_frames(std::size_t n, std::chrono::milliseconds limit) const;

private:
    // The reply faults that hit one frame.
    struct Hits {
        bool silence = false;
        bool garbage = false;
        bool bad_checksum = false;
        bool wrong_length = false;
        bool of = false;
        bool os = false;
        bool ol = false;
        std::optional<int> type_code;
    };

    Hits hits_for(bool faulty, std::uint8_t code, int occurrence) const;
    std::array<std::uint8_t, 10> status_bytes(bool identify, const Hits& hits) const;
    std::string answer_for(const Frame& frame, const Hits& hits);
    static std::string read_answer(const std::array<std::uint8_t, 10>& data, const Hits& hits);
    static std::string marker(const Hits& hits);

    mutable std::mutex mutex_;
    mutable std::condition_variable frames_cv_;
    Faults faults_;
    StatusReply status_reply_ = StatusReply::Auto;
    bool identified_ = false;
    int lux_ = 1234;
    std::optional<std::array<std::uint8_t, 7>> fixed_clock_;
    std::time_t clock_offset_ = 0;
    OpticsBytes optics_{};
    std::array<std::uint8_t, 5> preview_{};
    int preview_count_ = 0;
    std::vector<Received> received_;
    std::size_t frames_seen_ = 0;
    std::array<int, 256> seen_by_code_{}; // frames of each code since the faults were set
    int sessions_ended_ = 0;
};

} // namespace zuzo::sim
