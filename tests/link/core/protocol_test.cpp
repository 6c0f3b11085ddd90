// Frames, reply markers, read-reply decoding and the percent/byte conversion.

#include "link/core/protocol.h"

#include <gtest/gtest.h>

#include <string>

using namespace zuzo;

namespace {

// The 20 data characters followed by their checksum pair.
std::string with_checksum(const std::string& data)
{
    unsigned sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", sum % 256);
    return data + pair;
}

} // namespace

TEST(Frames, HexPairs)
{
    const struct {
        std::uint8_t value;
        const char* text;
    } cases[] = {{0, "00"}, {10, "0A"}, {0x4C, "4C"}, {255, "FF"}, {0x80, "80"}};
    for (const auto& c : cases)
        EXPECT_EQ(hex_pair(c.value), c.text);
}

TEST(Frames, ReadFramesOfTheCommandsInUse)
{
    const struct {
        std::uint8_t code;
        const char* frame;
    } cases[] = {{CMD_STATUS, "80000028\r"},
                 {CMD_READ_OPTICS_A, "8700002F\r"},
                 {CMD_READ_OPTICS_B, "88000030\r"},
                 {CMD_READ_OPTICS_C, "89000031\r"}};
    for (const auto& c : cases) {
        const std::string f = read_frame(c.code, 0, 0);
        EXPECT_EQ(f, c.frame);
        EXPECT_EQ(f.size(), kReadFrameLength);
    }
}

TEST(Frames, WriteFrameLayout)
{
    WriteParams params{};
    for (std::size_t i = 0; i < params.size(); ++i)
        params[i] = static_cast<std::uint8_t>(i * 20 + 1);
    const std::string f = write_frame(CMD_WRITE_OPTICS_A, params);
    ASSERT_EQ(f.size(), kWriteFrameLength);
    EXPECT_EQ(f.substr(0, 26), "0A0115293D5165798DA1B5C9DD");
    EXPECT_EQ(f.back(), '\r');
    // The checksum pair is the sum of the 26 characters before it.
    unsigned sum = 0;
    for (char c : f.substr(0, 26))
        sum += static_cast<unsigned char>(c);
    EXPECT_EQ(f.substr(26, 2), hex_pair(static_cast<std::uint8_t>(sum % 256)));
}

TEST(Frames, PreviewFrameOfTenFiftyHundred)
{
    WriteParams params{26, 127, 255, 26, 127};
    EXPECT_EQ(write_frame(CMD_BRIGHTNESS_PREVIEW, params).substr(0, 12), "091A7FFF1A7F");
}

TEST(Replies, MarkerCounts)
{
    EXPECT_EQ(count_markers(""), (MarkerCounts{}));
    EXPECT_EQ(count_markers("on#\r"), (MarkerCounts{1, 0, 0, 0}));
    EXPECT_EQ(count_markers("xxos#ol#on#on#of#\r"), (MarkerCounts{2, 1, 1, 1}));
    EXPECT_EQ(count_markers("on on# o n#"), (MarkerCounts{1, 0, 0, 0}));
}

TEST(Replies, HexPairValueStopsAtNonHex)
{
    EXPECT_EQ(hex_pair_value('0', 'A'), 10);
    EXPECT_EQ(hex_pair_value('f', 'f'), 255);
    EXPECT_EQ(hex_pair_value('F', 'e'), 254);
    EXPECT_EQ(hex_pair_value('1', 'G'), 1);
    EXPECT_EQ(hex_pair_value('G', '1'), 0);
    EXPECT_EQ(hex_pair_value(' ', ' '), 0);
}

TEST(Replies, DecodesTheTenBytes)
{
    const std::string data = with_checksum("0102030405060708090A");
    for (const std::string& text :
         {data + "on#\r", "\n" + data + "on#\r\n", data.substr(0, 7) + "\n\r" + data.substr(7) + "on#\r"}) {
        ReplyBytes out{};
        ASSERT_EQ(decode_read_reply(text, out), ReplyDecode::Ok) << text;
        for (std::size_t k = 1; k <= 10; ++k)
            EXPECT_EQ(out.byte(k), k);
    }
}

TEST(Replies, LowerCaseHexAccepted)
{
    const std::string data = with_checksum("ff00c8d007abcdef1234");
    ReplyBytes out{};
    ASSERT_EQ(decode_read_reply(data + "on#\r", out), ReplyDecode::Ok);
    EXPECT_EQ(out.byte(1), 255);
    EXPECT_EQ(out.byte(3), 0xC8);
    EXPECT_EQ(out.byte(10), 0x34);
}

TEST(Replies, ChangedCharacterFailsChecksumAndKeepsArray)
{
    std::string data = with_checksum("0102030405060708090A");
    data[5] = '7';
    ReplyBytes out{};
    out.data.fill(0xA5);
    const ReplyBytes before = out;
    EXPECT_EQ(decode_read_reply(data + "on#\r", out), ReplyDecode::BadChecksum);
    EXPECT_EQ(out, before);
}

TEST(Replies, WrongLengthFails)
{
    const std::string data = with_checksum("0102030405060708090A");
    ReplyBytes out{};
    const ReplyBytes before = out;
    EXPECT_EQ(decode_read_reply(data.substr(1) + "on#\r", out), ReplyDecode::WrongLength);
    EXPECT_EQ(decode_read_reply(data + "0on#\r", out), ReplyDecode::WrongLength);
    EXPECT_EQ(decode_read_reply("on#\r", out), ReplyDecode::WrongLength);
    EXPECT_EQ(out, before);
}

TEST(Conversion, PercentToByteTable)
{
    const struct {
        int percent;
        int byte;
    } cases[] = {{0, 0},    {1, 3},    {5, 13},   {10, 26},  {30, 76},
                 {50, 127}, {70, 178}, {90, 229}, {99, 252}, {100, 255}};
    for (const auto& c : cases)
        EXPECT_EQ(percent_to_byte(c.percent), c.byte) << c.percent;
    EXPECT_EQ(hex_pair(static_cast<std::uint8_t>(percent_to_byte(30))), "4C");
}

TEST(Conversion, ByteToPercentTable)
{
    const struct {
        int byte;
        int percent;
    } cases[] = {{26, 10}, {76, 30}, {127, 50}, {128, 50}, {254, 100}, {255, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(byte_to_percent(c.byte), c.percent) << c.byte;
}

TEST(Conversion, EveryPercentRoundTrips)
{
    for (int p = 0; p <= 100; ++p) {
        const int b = percent_to_byte(p);
        EXPECT_GE(b, 0);
        EXPECT_LE(b, 255);
        EXPECT_EQ(byte_to_percent(b), p);
    }
}

TEST(Conversion, ExtremeValuesSaturate)
{
    EXPECT_EQ(percent_to_byte(2000000000), 2147483647);
    EXPECT_EQ(percent_to_byte(-2000000000), -2147483647 - 1);
    EXPECT_EQ(percent_to_byte(150), 382);
}
