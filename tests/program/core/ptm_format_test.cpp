#include "program/core/ptm_format.h"

#include "program/core/cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using zuzo::DeviceProgram;
using zuzo::PtmReadResult;
using Bytes = std::vector<std::uint8_t>;

Bytes hex(const std::string& text)
{
    Bytes out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(pos, 2), nullptr, 16)));
        pos += 2;
    }
    return out;
}

void append(Bytes& to, const Bytes& piece)
{
    to.insert(to.end(), piece.begin(), piece.end());
}

Bytes bytes_of(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// The new-document file, put together from its documented pieces.
Bytes golden_new_document()
{
    Bytes file;
    append(file, hex("77 65 72 73 69 61 20 33 2E 30 31 20 75 6E 69 63 0D 0A"));
    append(file, hex("CF EE ED E5 E4 E5 EB FC ED E8 EA 0D 0A"));
    append(file, Bytes(336, 0));
    append(file, hex("D1 E8 E3 ED E0 EB 20 B9 31 0D 0A"));
    append(file, hex("31 30 0D 0A 00"));
    for (int k = 0; k < 4; ++k)
        append(file, hex("64 00 00 00"));
    for (int k = 0; k < 4; ++k)
        append(file, hex("32 00 00 00"));
    for (int k = 0; k < 4; ++k)
        append(file, hex("64 00 00 00"));
    append(file, hex("00 00 00 00 C8 00 00 00 D0 07 00 00 32 00 00 00 32 00 00 00 64 00 00 00 32 00 00 00 64 "
                     "00 00 00"));
    return file;
}

// A program with a distinct non-default value in every field.
DeviceProgram everything_changed()
{
    DeviceProgram p;
    int n = 0;
    for (int d = 1; d <= zuzo::kDays; ++d) {
        for (int i = 1; i <= zuzo::kIntervals; ++i) {
            p.plan_enabled[d][i] = (d + i) % 2;
            p.plan_hour[d][i] = (n * 7) % 24;
            p.plan_minute[d][i] = (n * 13) % 60;
            p.plan_volume[d][i] = (n * 3) % 101;
            ++n;
        }
    }
    p.weekday_name = "Суббота";
    p.sound_type = "Сигнал №3";
    p.fast_pulse_time = "25";
    p.sound_off = 1;
    p.sensor_off_brightness = {11, 12, 13, 14, 15};
    p.evening_brightness = {21, 22, 23, 24, 25};
    p.day_brightness = {31, 32, 33, 34, 35};
    p.module_min_brightness = 41;
    p.indicator_min_brightness = 42;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 321;
    p.day_lux_threshold = 11999;
    return p;
}

std::int32_t int_at(const Bytes& file, std::size_t offset)
{
    std::uint32_t u = 0;
    for (std::size_t k = 0; k < 4; ++k)
        u |= static_cast<std::uint32_t>(file[offset + k]) << (8 * k);
    return static_cast<std::int32_t>(u);
}

TEST(PtmWrite, NewDocumentIsTheGoldenFile)
{
    const Bytes golden = golden_new_document();
    ASSERT_EQ(golden.size(), 463u);
    EXPECT_EQ(zuzo::write_ptm(DeviceProgram{}), golden);
}

TEST(PtmRead, GoldenFileGivesTheNewDocument)
{
    DeviceProgram p = everything_changed();
    ASSERT_EQ(zuzo::read_ptm(golden_new_document(), p), PtmReadResult::Loaded);
    EXPECT_EQ(p, DeviceProgram{});
}

TEST(PtmFormat, FullRoundTrip)
{
    const DeviceProgram original = everything_changed();
    const Bytes file = zuzo::write_ptm(original);
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(file, back), PtmReadResult::Loaded);
    EXPECT_EQ(back, original);
    EXPECT_EQ(zuzo::write_ptm(back), file);
}

TEST(PtmWrite, OpticsBlockOrderPutsYellowLast)
{
    const DeviceProgram p = everything_changed();
    const Bytes file = zuzo::write_ptm(p);
    const std::size_t optics = file.size() - zuzo::kPtmOpticsBlockSize;
    const std::vector<std::int32_t> expected = {11, 12, 14, 15,  21,    22, 24, 25, 31, 32,
                                                34, 35, 1,  321, 11999, 41, 42, 13, 23, 33};
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(int_at(file, optics + 4 * k), expected[k]) << "offset " << 4 * k;
}

TEST(PtmWrite, PlanByteOffsets)
{
    DeviceProgram p;
    p.plan_enabled[3][5] = 1;
    p.plan_hour[3][5] = 17;
    p.plan_minute[3][5] = 42;
    p.plan_volume[3][5] = 99;
    p.plan_volume[7][12] = 77;
    const Bytes file = zuzo::write_ptm(p);
    const std::size_t block = 18 + 13;
    const std::size_t at = block + ((3 - 1) * 12 + (5 - 1)) * 4;
    EXPECT_EQ(file[at + 0], 1);
    EXPECT_EQ(file[at + 1], 17);
    EXPECT_EQ(file[at + 2], 42);
    EXPECT_EQ(file[at + 3], 99);
    EXPECT_EQ(file[block + 335], 77);
}

TEST(PtmFormat, PlanValuesKeepTheirLowEightBitsSigned)
{
    DeviceProgram p;
    p.plan_volume[1][1] = 200;
    p.plan_volume[2][2] = 127;
    p.plan_volume[3][3] = 128;
    p.plan_volume[4][4] = -1;
    p.plan_volume[5][5] = 256 + 5;
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(zuzo::write_ptm(p), back), PtmReadResult::Loaded);
    EXPECT_EQ(back.plan_volume[1][1], -56);
    EXPECT_EQ(back.plan_volume[2][2], 127);
    EXPECT_EQ(back.plan_volume[3][3], -128);
    EXPECT_EQ(back.plan_volume[4][4], -1);
    EXPECT_EQ(back.plan_volume[5][5], 5);
}

TEST(PtmFormat, EmptyTextsWriteBareLineEnds)
{
    DeviceProgram p;
    p.weekday_name.clear();
    p.sound_type.clear();
    p.fast_pulse_time.clear();
    const Bytes file = zuzo::write_ptm(p);
    EXPECT_EQ(file.size(), 463u - 11 - 9 - 2);
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(file, back), PtmReadResult::Loaded);
    EXPECT_EQ(back, p);
}

TEST(PtmWrite, SoundOffIsOneByte)
{
    DeviceProgram p;
    p.sound_off = 1;
    const Bytes file = zuzo::write_ptm(p);
    EXPECT_EQ(file[18 + 13 + 336 + 11 + 4], 1);
}

TEST(PtmRead, AnyNonZeroSoundOffByteChecks)
{
    Bytes file = golden_new_document();
    file[18 + 13 + 336 + 11 + 4] = 0x7F;
    DeviceProgram p;
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p.sound_off, 1);
}

// Replaces every CR LF of the text lines with another terminator.
Bytes with_line_ends(const std::string& end)
{
    Bytes file = bytes_of("wersia 3.01 unic" + end + "\xD1\xF0\xE5\xE4\xE0" + end);
    Bytes plan(336, 0);
    plan[3] = 55;
    append(file, plan);
    append(file, bytes_of("\xD1\xE8\xE3\xED\xE0\xEB \xB9\x32" + end + "7" + end));
    file.push_back(1);
    for (int k = 0; k < 20; ++k)
        append(file, Bytes{static_cast<std::uint8_t>(k + 1), 0, 0, 0});
    return file;
}

class LineEnds : public ::testing::TestWithParam<std::string> {};

TEST_P(LineEnds, AreAllAccepted)
{
    DeviceProgram p;
    ASSERT_EQ(zuzo::read_ptm(with_line_ends(GetParam()), p), PtmReadResult::Loaded);
    EXPECT_EQ(p.weekday_name, "Среда");
    EXPECT_EQ(p.plan_volume[1][1], 55);
    EXPECT_EQ(p.sound_type, "Сигнал №2");
    EXPECT_EQ(p.fast_pulse_time, "7");
    EXPECT_EQ(p.sound_off, 1);
    EXPECT_EQ(p.sensor_off_brightness.module_red, 1);
    EXPECT_EQ(p.day_brightness.module_yellow, 20);
}

INSTANTIATE_TEST_SUITE_P(Ends, LineEnds,
                         ::testing::Values(std::string("\r\n"), std::string("\n"), std::string("\r"),
                                           std::string(1, '\0')));

TEST(PtmRead, HeaderWithLoneLfAndTheRestCrLf)
{
    Bytes file = golden_new_document();
    file.erase(file.begin() + 16); // drop the CR of the header line
    DeviceProgram p = everything_changed();
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p, DeviceProgram{});
}

TEST(PtmRead, LoneCrLeavesTheNextByteUnread)
{
    // The weekday line ends with a lone CR; the next byte (the first plan
    // byte, another CR here) must be read as plan data, not swallowed.
    Bytes file = bytes_of(std::string("wersia 3.01 unic\r\n") + "\xC2\xF2\xEE\xF0\xED\xE8\xEA" + "\r");
    Bytes plan(336, 0);
    plan[0] = 0x0D;
    plan[1] = 0x0A;
    append(file, plan);
    DeviceProgram p;
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p.weekday_name, "Вторник");
    EXPECT_EQ(p.plan_enabled[1][1], 13);
    EXPECT_EQ(p.plan_hour[1][1], 10);
}

struct BadHeader {
    const char* name;
    std::string first;
};

class HeaderRefused : public ::testing::TestWithParam<BadHeader> {};

TEST_P(HeaderRefused, LeavesTheProgramUntouched)
{
    Bytes file = bytes_of(GetParam().first);
    const Bytes rest = golden_new_document();
    file.insert(file.end(), rest.begin() + 16, rest.end());
    DeviceProgram p = everything_changed();
    EXPECT_EQ(zuzo::read_ptm(file, p), PtmReadResult::BadHeader);
    EXPECT_EQ(p, everything_changed());
}

INSTANTIATE_TEST_SUITE_P(Headers, HeaderRefused,
                         ::testing::Values(BadHeader{"one_capital", "Wersia 3.01 unic"},
                                           BadHeader{"all_capitals", "WERSIA 3.01 UNIC"},
                                           BadHeader{"other_version", "wersia 3.02 unic"},
                                           BadHeader{"trailing_blank", "wersia 3.01 unic "},
                                           BadHeader{"shorter", "wersia 3.01 uni"}, BadHeader{"empty", ""}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST(PtmRead, EmptyFileIsRefused)
{
    DeviceProgram p = everything_changed();
    EXPECT_EQ(zuzo::read_ptm(Bytes{}, p), PtmReadResult::BadHeader);
    EXPECT_EQ(p, everything_changed());
}

TEST(PtmRead, HeaderAloneLoadsZerosAndEmptyLines)
{
    DeviceProgram p = everything_changed();
    ASSERT_EQ(zuzo::read_ptm(bytes_of("wersia 3.01 unic"), p), PtmReadResult::Loaded);
    DeviceProgram expected;
    expected.weekday_name.clear();
    expected.sound_type.clear();
    expected.fast_pulse_time.clear();
    expected.sound_off = 0;
    expected.sensor_off_brightness = {};
    expected.evening_brightness = {};
    expected.day_brightness = {};
    expected.module_min_brightness = 0;
    expected.indicator_min_brightness = 0;
    expected.optical_sensor_on = 0;
    expected.evening_lux_threshold = 0;
    expected.day_lux_threshold = 0;
    EXPECT_EQ(p, expected);
}

TEST(PtmRead, TruncatedInsideTheOpticsBlockReadsMissingBytesAsZero)
{
    const DeviceProgram original = everything_changed();
    Bytes file = zuzo::write_ptm(original);
    // Cut in the middle of the integer at offset 52 (evening_lux_threshold = 321 = 0x141).
    const std::size_t optics = file.size() - zuzo::kPtmOpticsBlockSize;
    file.resize(optics + 53);
    DeviceProgram p;
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p.plan_volume, original.plan_volume);
    EXPECT_EQ(p.optical_sensor_on, 1);
    EXPECT_EQ(p.evening_lux_threshold, 0x41);
    EXPECT_EQ(p.day_lux_threshold, 0);
    EXPECT_EQ(p.sensor_off_brightness.module_yellow, 0);
}

TEST(PtmRead, TruncatedInsideThePlanBlock)
{
    Bytes file = zuzo::write_ptm(everything_changed());
    file.resize(18 + 9 + 10); // header, "Суббота" line, ten plan bytes
    DeviceProgram p;
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p.weekday_name, "Суббота");
    EXPECT_EQ(p.plan_hour[1][3], everything_changed().plan_hour[1][3]);
    EXPECT_EQ(p.plan_minute[1][3], 0);
    EXPECT_EQ(p.plan_volume[7][12], 0);
    EXPECT_EQ(p.sound_type, "");
    EXPECT_EQ(p.fast_pulse_time, "");
}

TEST(PtmRead, TrailingBytesAreIgnored)
{
    Bytes file = golden_new_document();
    append(file, bytes_of("garbage after the end"));
    DeviceProgram p = everything_changed();
    ASSERT_EQ(zuzo::read_ptm(file, p), PtmReadResult::Loaded);
    EXPECT_EQ(p, DeviceProgram{});
}

TEST(PtmRead, TextsAreKeptAsTheyStand)
{
    DeviceProgram p;
    p.weekday_name = "пЯтНиЦа";
    p.sound_type = "что-то ещё";
    p.fast_pulse_time = "$1F";
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(zuzo::write_ptm(p), back), PtmReadResult::Loaded);
    EXPECT_EQ(back.weekday_name, "пЯтНиЦа");
    EXPECT_EQ(back.sound_type, "что-то ещё");
    EXPECT_EQ(back.fast_pulse_time, "$1F");
}

// Every byte that does not end a line (all but CR, LF and NUL), in each of
// the three text lines, is written back as it was read.
TEST(PtmFormat, EveryByteOfATextLineIsWrittenBack)
{
    std::string line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    }
    DeviceProgram p;
    p.weekday_name = zuzo::cp1251_to_utf8(line);
    p.sound_type = zuzo::cp1251_to_utf8(std::string(line.rbegin(), line.rend()));
    p.fast_pulse_time = zuzo::cp1251_to_utf8(line.substr(0x80));
    ASSERT_FALSE(zuzo::ptm_unwritable_field(p).has_value());
    const Bytes file = zuzo::write_ptm(p);
    const Bytes weekday_line = bytes_of(line + "\r\n");
    EXPECT_TRUE(std::equal(weekday_line.begin(), weekday_line.end(), file.begin() + 18));
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(file, back), PtmReadResult::Loaded);
    EXPECT_EQ(back, p);
    EXPECT_EQ(zuzo::write_ptm(back), file);
}

TEST(PtmRead, OutOfRangeOpticsValuesAreStoredAsTheyCome)
{
    DeviceProgram p;
    p.sensor_off_brightness.module_red = 150;
    p.optical_sensor_on = 7;
    p.day_lux_threshold = -3;
    DeviceProgram back;
    ASSERT_EQ(zuzo::read_ptm(zuzo::write_ptm(p), back), PtmReadResult::Loaded);
    EXPECT_EQ(back.sensor_off_brightness.module_red, 150);
    EXPECT_EQ(back.optical_sensor_on, 7);
    EXPECT_EQ(back.day_lux_threshold, -3);
}

} // namespace
