// The simulator's frame parser, fed in pieces and with noise on the line.

#include "link/core/protocol.h"
#include "tools/devsim/frame_parser.h"

#include <gtest/gtest.h>

using namespace zuzo;
using namespace zuzo::sim;

namespace {

std::vector<Frame> feed_in_pieces(const std::string& bytes, std::size_t piece, FrameParser& parser)
{
    std::vector<Frame> out;
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        parser.feed(std::string_view(bytes).substr(at, piece), out);
    return out;
}

} // namespace

TEST(FrameParser, ReadAndWriteFramesInAnyPieces)
{
    WriteParams params{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::string stream = read_frame(CMD_STATUS, 0, 0) + write_frame(CMD_WRITE_OPTICS_A, params) +
                               read_frame(CMD_READ_OPTICS_C, 0, 0);
    for (std::size_t piece : {1u, 2u, 5u, 9u, 13u, 100u}) {
        FrameParser parser;
        const std::vector<Frame> frames = feed_in_pieces(stream, piece, parser);
        ASSERT_EQ(frames.size(), 3u) << piece;
        EXPECT_EQ(frames[0].code, CMD_STATUS);
        EXPECT_EQ(frames[0].params, (std::vector<std::uint8_t>{0, 0}));
        EXPECT_EQ(frames[0].text, "80000028");
        EXPECT_EQ(frames[1].code, CMD_WRITE_OPTICS_A);
        EXPECT_EQ(frames[1].params, std::vector<std::uint8_t>(params.begin(), params.end()));
        EXPECT_EQ(frames[2].code, CMD_READ_OPTICS_C);
        EXPECT_EQ(parser.rejected(), 0u);
    }
}

TEST(FrameParser, NoiseIsDropped)
{
    const struct {
        const char* bytes;
        std::size_t frames;
        std::size_t rejected;
    } cases[] = {
        {"\r", 0, 1},
        {"hello\r80000028\r", 1, 1},
        {"zz80000028\r", 1, 0},   // noise before a frame on its line
        {"\n80000028\n\r", 1, 0}, // LF ignored
        {"80000029\r", 0, 1},     // checksum wrong
        {"8000002\r", 0, 1},      // too short
        {"8G000028\r", 0, 1},     // not hex
        {"80000028", 0, 0},       // no CR yet
        {"87000o2F\r8700002F\r", 1, 1},
    };
    for (const auto& c : cases) {
        FrameParser parser;
        std::vector<Frame> out;
        parser.feed(c.bytes, out);
        EXPECT_EQ(out.size(), c.frames) << c.bytes;
        EXPECT_EQ(parser.rejected(), c.rejected) << c.bytes;
    }
}

TEST(FrameParser, LowerCaseHexAccepted)
{
    Frame f;
    ASSERT_TRUE(parse_frame("8700002f", f));
    EXPECT_EQ(f.code, CMD_READ_OPTICS_A);
}

TEST(FrameParser, EndlessLineKeepsOnlyItsTail)
{
    FrameParser parser;
    std::vector<Frame> out;
    parser.feed(std::string(100000, 'x'), out);
    parser.feed("8800003", out);
    parser.feed("0\r", out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].code, CMD_READ_OPTICS_B);
}
