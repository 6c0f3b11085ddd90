// The simulated device's answers and faults, asked directly.

#include "link/core/optics_bytes.h"
#include "link/core/protocol.h"
#include "link/core/status_reply.h"
#include "support/sample_programs.h"
#include "tools/devsim/fault_names.h"
#include "tools/devsim/sim_device.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

using namespace zuzo;
using namespace zuzo::sim;

namespace {

Frame frame_of(const std::string& text)
{
    Frame f;
    EXPECT_TRUE(parse_frame(text.substr(0, text.size() - 1), f)) << text;
    return f;
}

Frame read_cmd(std::uint8_t code)
{
    return frame_of(read_frame(code, 0, 0));
}

Frame write_cmd(std::uint8_t code, const WriteParams& p)
{
    return frame_of(write_frame(code, p));
}

// Decodes an answer the way the tool does.
ReplyBytes decoded(const std::string& answer)
{
    ReplyBytes r{};
    EXPECT_EQ(decode_read_reply(answer, r), ReplyDecode::Ok) << answer;
    return r;
}

void add_fault(SimDevice& d, const std::string& setting)
{
    Faults f = d.faults();
    EXPECT_TRUE(apply_fault(setting, f)) << setting;
    d.set_faults(f);
}

} // namespace

TEST(SimDevice, IdentifiesFirstThenShowsTheClock)
{
    SimDevice d;
    d.set_lux(1234);
    d.set_sensor_on(true);
    d.set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    const ReplyBytes id = decoded(d.respond(read_cmd(CMD_STATUS)).text);
    EXPECT_TRUE(status_identity(id).supported());
    EXPECT_EQ(status_sensor(id).illuminance_lux, 1234);
    EXPECT_TRUE(status_sensor(id).on);
    const ReplyBytes clock = decoded(d.respond(read_cmd(CMD_STATUS)).text);
    const ReplyBytes expected{{DEVICE_TYPE_CODE, 9, 5, 14, 1, 7, 12, 26, 0, 0}};
    EXPECT_EQ(clock, expected);
    d.begin_session();
    EXPECT_EQ(status_sensor(decoded(d.respond(read_cmd(CMD_STATUS)).text)).illuminance_lux, 1234);
}

// What the status command answers, three times in a row: 'I' identification,
// 'C' the clock, '-' nothing; lower case when the answer carries a fault.
TEST(SimDevice, IdentificationLostToAFaultComesAgain)
{
    const struct {
        const char* fault; // nullptr: none
        const char* answers;
    } cases[] = {
        {nullptr, "ICC"},
        {"os@80#1", "iIC"},           // "Да" in the EEPROM question: the repeat must identify
        {"ol@80#1", "iIC"},           //
        {"bad-checksum@80#1", "iIC"}, // the tool repeats a reply it cannot take
        {"silence@80#1", "-IC"},      // an unanswered frame identifies nothing
        {"os@80#2", "IcC"},           // identified once, a fault on the clock changes nothing
    };
    for (const auto& c : cases) {
        SimDevice d;
        d.set_lux(0x0102);
        d.set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
        if (c.fault)
            add_fault(d, c.fault);
        std::string got;
        for (int i = 0; i < 3; ++i) {
            const std::string text = d.respond(read_cmd(CMD_STATUS)).text;
            ReplyBytes r{};
            const bool sound = decode_read_reply(text, r) == ReplyDecode::Ok && count_markers(text).on == 1;
            if (text.empty())
                got += '-';
            else if (text.size() > 4 && text.substr(2, 6) == "020100")
                got += sound ? 'I' : 'i';
            else
                got += sound ? 'C' : 'c';
        }
        EXPECT_EQ(got, c.answers) << (c.fault ? c.fault : "no fault");
    }
}

TEST(SimDevice, StatusReplyCanBeForced)
{
    SimDevice d;
    d.set_sensor_on(false);
    d.set_status_reply(StatusReply::Identify);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(status_sensor(decoded(d.respond(read_cmd(CMD_STATUS)).text)).on);
    d.set_status_reply(StatusReply::Clock);
    d.set_clock_bytes({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(decoded(d.respond(read_cmd(CMD_STATUS)).text).byte(8), 7);
}

TEST(SimDevice, SetClockRunsFromTheGivenTime)
{
    SimDevice d;
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    d.set_clock(t);
    const auto c = d.clock_bytes();
    EXPECT_EQ(c[3], 1); // 7 December 2026 is a Monday
    EXPECT_EQ(c[4], 7);
    EXPECT_EQ(c[5], 12);
    EXPECT_EQ(c[6], 26);
    EXPECT_EQ(c[2], 14);
}

TEST(SimDevice, WrittenOpticsAreReadBack)
{
    const DeviceProgram p = distinct_optics();
    const OpticsBytes bytes = optics_write_bytes(p).value();
    SimDevice d;
    EXPECT_EQ(d.respond(write_cmd(CMD_WRITE_OPTICS_A, write_a_params(bytes))).text, "on#\r");
    EXPECT_EQ(d.respond(write_cmd(CMD_WRITE_OPTICS_B, write_b_params(bytes))).text, "on#\r");
    EXPECT_EQ(d.optics(), bytes);

    DeviceProgram back;
    apply_optics_defaults(back);
    for (std::uint8_t code : {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B, CMD_READ_OPTICS_C})
        ASSERT_TRUE(store_optics_reply(back, code, decoded(d.respond(read_cmd(code)).text)));
    EXPECT_EQ(back, p);
}

// The status reply tells the sensor setting the device works by: the one of
// its optics memory, which a program write sets (one setting, not two that
// can disagree).
TEST(SimDevice, StatusTellsTheSensorSettingOfItsOptics)
{
    const struct {
        bool at_start;
        int written; // optical_sensor_on of the program written
    } rows[] = {{true, 0}, {false, 1}, {true, 1}};
    for (const auto& row : rows) {
        SimDevice d;
        d.set_sensor_on(row.at_start);
        d.set_status_reply(StatusReply::Identify);
        EXPECT_EQ(status_sensor(decoded(d.respond(read_cmd(CMD_STATUS)).text)).on, row.at_start);
        DeviceProgram p = sound_program();
        p.optical_sensor_on = row.written;
        const OpticsBytes bytes = optics_write_bytes(p).value();
        ASSERT_EQ(d.respond(write_cmd(CMD_WRITE_OPTICS_A, write_a_params(bytes))).text, "on#\r");
        ASSERT_EQ(d.respond(write_cmd(CMD_WRITE_OPTICS_B, write_b_params(bytes))).text, "on#\r");
        EXPECT_EQ(status_sensor(decoded(d.respond(read_cmd(CMD_STATUS)).text)).on, row.written == 1)
            << row.at_start << " " << row.written;
    }
}

TEST(SimDevice, PreviewIsRecorded)
{
    SimDevice d;
    EXPECT_EQ(d.respond(write_cmd(CMD_BRIGHTNESS_PREVIEW, preview_params({10, 50, 100, 0, 1}).value())).text,
              "on#\r");
    EXPECT_EQ(d.preview(), (std::array<std::uint8_t, 5>{26, 127, 255, 0, 3}));
    EXPECT_EQ(d.preview_count(), 1);
    EXPECT_EQ(d.optics(), SimDevice().optics());
}

TEST(SimDevice, UnknownCommandsFail)
{
    SimDevice d;
    EXPECT_EQ(d.respond(read_cmd(0x81)).text, "of#\r");
    EXPECT_EQ(d.respond(write_cmd(0x20, WriteParams{})).text, "of#\r");
}

TEST(SimDevice, ReplyFaults)
{
    const struct {
        const char* fault;
        const char* status_ends; // how the status answer ends, "" = silence
        ReplyDecode decode;
        MarkerCounts markers;
    } cases[] = {
        {"silence", "", ReplyDecode::WrongLength, {}},
        {"garbage", "#\r", ReplyDecode::WrongLength, {}},
        {"bad-checksum", "on#\r", ReplyDecode::BadChecksum, {1, 0, 0, 0}},
        {"wrong-length", "on#\r", ReplyDecode::WrongLength, {1, 0, 0, 0}},
        {"of", "of#\r", ReplyDecode::Ok, {0, 0, 0, 1}},
        {"os", "os#\r", ReplyDecode::Ok, {0, 1, 0, 0}},
        {"ol", "ol#\r", ReplyDecode::Ok, {0, 0, 1, 0}},
        {"trailing", "on#\rzz", ReplyDecode::Ok, {1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SimDevice d;
        add_fault(d, c.fault);
        const std::string text = d.respond(read_cmd(CMD_STATUS)).text;
        const std::string ends = c.status_ends;
        ASSERT_GE(text.size(), ends.size()) << c.fault;
        EXPECT_EQ(text.substr(text.size() - ends.size()), ends) << c.fault;
        EXPECT_EQ(text.empty(), ends.empty()) << c.fault;
        ReplyBytes r{};
        EXPECT_EQ(decode_read_reply(text, r), c.decode) << c.fault;
        EXPECT_EQ(count_markers(text), c.markers) << c.fault;
    }
}

TEST(SimDevice, WrongTypeCode)
{
    SimDevice d;
    add_fault(d, "wrong-type");
    EXPECT_EQ(decoded(d.respond(read_cmd(CMD_STATUS)).text).byte(1), 24);
    add_fault(d, "wrong-type=0x30");
    EXPECT_EQ(decoded(d.respond(read_cmd(CMD_STATUS)).text).byte(1), 0x30);
}

TEST(SimDevice, CountedFaults)
{
    SimDevice after;
    add_fault(after, "silence-after=2");
    EXPECT_FALSE(after.respond(read_cmd(CMD_STATUS)).text.empty());
    EXPECT_FALSE(after.respond(read_cmd(CMD_STATUS)).text.empty());
    EXPECT_TRUE(after.respond(read_cmd(CMD_STATUS)).text.empty());

    SimDevice vanish;
    add_fault(vanish, "vanish=1");
    EXPECT_FALSE(vanish.respond(read_cmd(CMD_STATUS)).vanish);
    const Response gone = vanish.respond(read_cmd(CMD_STATUS));
    EXPECT_TRUE(gone.vanish);
    EXPECT_TRUE(gone.text.empty());

    Faults f;
    ASSERT_TRUE(apply_fault("os", f));
    ASSERT_TRUE(apply_fault("faulty-frames=1", f));
    SimDevice once;
    once.set_faults(f);
    EXPECT_EQ(count_markers(once.respond(read_cmd(CMD_STATUS)).text).os, 1);
    EXPECT_EQ(count_markers(once.respond(read_cmd(CMD_STATUS)).text).on, 1);

    Faults later;
    ASSERT_TRUE(apply_fault("os", later));
    ASSERT_TRUE(apply_fault("faulty-from=2", later));
    SimDevice from_third;
    from_third.set_faults(later);
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(count_markers(from_third.respond(read_cmd(CMD_STATUS)).text).on, 1) << k;
    EXPECT_EQ(count_markers(from_third.respond(read_cmd(CMD_READ_OPTICS_A)).text).os, 1);

    SimDevice ignoring;
    add_fault(ignoring, "ignore=0x88");
    EXPECT_FALSE(ignoring.respond(read_cmd(CMD_READ_OPTICS_A)).text.empty());
    EXPECT_TRUE(ignoring.respond(read_cmd(CMD_READ_OPTICS_B)).text.empty());
}

// Aimed faults hit the frames they name and no other, whatever faulty-frames
// says. The answers to a run of commands, one character each: 'n' "on#",
// 's' "os#", 'l' "ol#", 'f' "of#", '-' nothing, 'x' a reply without a marker.
TEST(SimDevice, AimedFaults)
{
    const std::uint8_t S = CMD_STATUS, A = CMD_READ_OPTICS_A, B = CMD_READ_OPTICS_B, C = CMD_READ_OPTICS_C;
    const std::uint8_t WA = CMD_WRITE_OPTICS_A, WB = CMD_WRITE_OPTICS_B;
    const struct {
        std::vector<const char*> faults;
        std::vector<std::uint8_t> codes;
        const char* answers;
    } cases[] = {
        {{"os@88#2"}, {S, A, B, C, A, B, C, B}, "nnnnnsnn"}, // the second 88 only
        {{"os@0x88#2"}, {B, B}, "ns"},
        {{"ol@0B"}, {WA, WB, WA, WB}, "nlnl"},                  // every 0B
        {{"os@0B#1", "ol@0B#1"}, {WB, WB}, "sn"},               // both markers: "os#" first
        {{"silence@89"}, {A, C, B, C}, "n-n-"},                 // aimed silence
        {{"garbage@87#1"}, {A, A}, "xn"},                       //
        {{"of@80#3"}, {S, S, S, S}, "nnfn"},                    //
        {{"faulty-frames=0", "os@87#1"}, {A, A}, "sn"},         // not held back by faulty-frames
        {{"ol", "faulty-frames=1", "os@89"}, {A, C, C}, "lss"}, // beside a counted fault
        {{"os@88#1"}, {A, C}, "nn"},                            // another code: untouched
    };
    for (const auto& c : cases) {
        SimDevice d;
        for (const char* fault : c.faults)
            add_fault(d, fault);
        std::string got;
        for (std::uint8_t code : c.codes) {
            const bool write = code == WA || code == WB;
            const std::string text = d.respond(write ? write_cmd(code, WriteParams{}) : read_cmd(code)).text;
            const MarkerCounts m = count_markers(text);
            got += text.empty() ? '-' : m.os ? 's' : m.ol ? 'l' : m.of ? 'f' : m.on ? 'n' : 'x';
        }
        EXPECT_EQ(got, c.answers) << c.faults.back();
    }
    SimDevice typed;
    add_fault(typed, "wrong-type=30@80#1");
    EXPECT_EQ(decoded(typed.respond(read_cmd(CMD_STATUS)).text).byte(1), 30);
    EXPECT_EQ(decoded(typed.respond(read_cmd(CMD_STATUS)).text).byte(1), DEVICE_TYPE_CODE);
}

TEST(SimDevice, FramesAreLogged)
{
    SimDevice d;
    add_fault(d, "silence");
    d.respond(read_cmd(CMD_STATUS));
    d.respond(read_cmd(CMD_READ_OPTICS_A));
    const std::vector<Received> log = d.received();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].frame.text, "80000028");
    EXPECT_EQ(log[1].frame.code, CMD_READ_OPTICS_A);
    EXPECT_TRUE(log[1].answer.empty());
    EXPECT_TRUE(d.wait_for_frames(2, std::chrono::milliseconds(0)));
    d.clear_received();
    EXPECT_EQ(d.frame_count(), 0u);
}

TEST(FaultNames, Parsing)
{
    const struct {
        const char* setting;
        bool ok;
    } cases[] = {{"silence", true},
                 {"silence=3", false},
                 {"silence-after=3", true},
                 {"silence-after", false},
                 {"split", true},
                 {"split=0", false},
                 {"split=2", true},
                 {"ignore=0x88", true},
                 {"ignore=300", false},
                 {"wrong-type=256", false},
                 {"vanish", true},
                 {"nonsense", false},
                 {"os=x", false},
                 {"pace", true},
                 {"faulty-frames=2", true},
                 {"ignore=0B", true},
                 {"ignore=100", false},
                 {"faulty-frames=0B", false},
                 // Aimed: NAME[=N]@CODE[#K], reply faults only, K from 1.
                 {"os@88#2", true},
                 {"ol@0B", true},
                 {"wrong-type=30@80#1", true},
                 {"silence@0x89", true},
                 {"split@88", false},
                 {"vanish=2@88", false},
                 {"ignore=80@88", false},
                 {"os=1@88", false},
                 {"os@88#0", false},
                 {"os@88#", false},
                 {"os@", false},
                 {"os@100", false},
                 {"os@88#x", false},
                 {"nonsense@88", false},
                 {"wrong-type=256@80", false}};
    for (const auto& c : cases) {
        Faults f;
        EXPECT_EQ(apply_fault(c.setting, f), c.ok) << c.setting;
    }
    Faults f;
    ASSERT_TRUE(apply_fault("split=2", f));
    ASSERT_TRUE(apply_fault("vanish=5", f));
    ASSERT_TRUE(apply_fault("ignore=80", f)); // as the messages write the status command
    EXPECT_EQ(f.split, 2);
    EXPECT_EQ(f.vanish_after, 5);
    EXPECT_EQ(f.ignore, std::set<std::uint8_t>{0x80});
    ASSERT_TRUE(apply_fault("os@88#2", f));
    ASSERT_TRUE(apply_fault("wrong-type=30@80", f));
    EXPECT_EQ(f.aimed,
              (std::vector<AimedFault>{{ReplyFault::Os, 0x88, 2, 24}, {ReplyFault::WrongType, 0x80, 0, 30}}));
    EXPECT_FALSE(f.os); // an aimed fault leaves the unaimed one off
}
