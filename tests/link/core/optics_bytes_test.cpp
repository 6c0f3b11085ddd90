// The 22 optics bytes of a program write and the storing of read replies.

#include "link/core/optics_bytes.h"

#include <gtest/gtest.h>

using namespace zuzo;

namespace {

// A program whose every brightness is distinct, so a swapped byte shows.
DeviceProgram distinct_program()
{
    DeviceProgram p;
    p.sensor_off_brightness = {1, 2, 3, 4, 5};
    p.evening_brightness = {10, 20, 30, 40, 50};
    p.day_brightness = {60, 70, 80, 90, 99};
    p.module_min_brightness = 15;
    p.indicator_min_brightness = 25;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 200;
    p.day_lux_threshold = 2000;
    return p;
}

std::uint8_t b(int percent)
{
    return static_cast<std::uint8_t>(percent_to_byte(percent));
}

} // namespace

TEST(OpticsWrite, FrameOrder)
{
    const std::optional<OpticsBytes> bytes = optics_write_bytes(distinct_program());
    const OpticsBytes expected{b(1),  b(2),  b(3),  b(4),  b(5), b(10), b(60), b(20), b(70), b(30), b(80),
                               b(40), b(90), b(50), b(99), 0,    b(15), b(25), 0xC8,  0x00,  0xD0,  0x07};
    EXPECT_EQ(bytes, expected);
}

TEST(OpticsWrite, ThresholdBytesLowFirst)
{
    const WriteParams b_params = write_b_params(optics_write_bytes(distinct_program()).value());
    EXPECT_EQ(b_params[6], 0xC8);
    EXPECT_EQ(b_params[7], 0x00);
    EXPECT_EQ(b_params[8], 0xD0);
    EXPECT_EQ(b_params[9], 0x07);
    EXPECT_EQ(b_params[10], 0);
    EXPECT_EQ(b_params[11], 0);
    EXPECT_EQ(write_frame(CMD_WRITE_OPTICS_B, b_params).substr(14, 8), "C800D007");
}

TEST(OpticsWrite, SplitIntoTwoCommands)
{
    const OpticsBytes bytes = optics_write_bytes(distinct_program()).value();
    const WriteParams a = write_a_params(bytes);
    const WriteParams bp = write_b_params(bytes);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(a[i], bytes[i]);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(bp[i], bytes[12 + i]);
}

// A value goes out exactly or the program is not encoded at all: nothing is
// squeezed into range.
TEST(OpticsWrite, EdgeValuesTravelExactlyOrNotAtAll)
{
    const struct {
        const char* fault; // what a wrong encoder would do
        void (*set)(DeviceProgram&);
        std::size_t byte; // the first byte to look at when encoded
        int expected;     // its value, or -1: refused
        int next = -1;    // the high byte of a threshold
    } cases[] = {
        {"100 % refused or sent other than 255", [](DeviceProgram& p) { p.day_brightness.module_red = 100; },
         6, 255},
        {"101 % sent as 255", [](DeviceProgram& p) { p.day_brightness.module_red = 101; }, 6, -1},
        {"150 % sent as 255 or wrapped", [](DeviceProgram& p) { p.module_min_brightness = 150; }, 16, -1},
        {"-10 % sent as 0", [](DeviceProgram& p) { p.indicator_min_brightness = -10; }, 17, -1},
        {"sensor on not sent as 0", [](DeviceProgram& p) { p.optical_sensor_on = 1; }, 15, 0},
        {"sensor off not sent as 1", [](DeviceProgram& p) { p.optical_sensor_on = 0; }, 15, 1},
        {"sensor 5 sent as 0", [](DeviceProgram& p) { p.optical_sensor_on = 5; }, 15, -1},
        {"sensor -254 sent as 255", [](DeviceProgram& p) { p.optical_sensor_on = -254; }, 15, -1},
        {"65535 Lux refused or split wrong", [](DeviceProgram& p) { p.day_lux_threshold = 65535; }, 20, 0xFF,
         0xFF},
        {"70000 Lux sent as 65535", [](DeviceProgram& p) { p.day_lux_threshold = 70000; }, 20, -1},
        {"65536 Lux wrapped to 0", [](DeviceProgram& p) { p.evening_lux_threshold = 65536; }, 18, -1},
        {"-5 Lux sent as 0", [](DeviceProgram& p) { p.evening_lux_threshold = -5; }, 18, -1},
    };
    for (const auto& c : cases) {
        DeviceProgram p = distinct_program();
        c.set(p);
        const std::optional<OpticsBytes> bytes = optics_write_bytes(p);
        if (c.expected < 0) {
            EXPECT_FALSE(bytes.has_value()) << c.fault;
            continue;
        }
        ASSERT_TRUE(bytes.has_value()) << c.fault;
        EXPECT_EQ((*bytes)[c.byte], c.expected) << c.fault;
        if (c.next >= 0) {
            EXPECT_EQ((*bytes)[c.byte + 1], c.next) << c.fault;
        }
    }
}

TEST(OpticsWrite, PreviewParams)
{
    const std::optional<WriteParams> params = preview_params({10, 50, 100, 0, 1});
    const WriteParams expected{26, 127, 255, 0, 3, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(params, expected);
    EXPECT_FALSE(preview_params({10, 50, 100, 150, 1}).has_value()) << "150 % previewed as 255";
    EXPECT_FALSE(preview_params({10, 50, 100, 0, -3}).has_value()) << "-3 % previewed as 0";
}

TEST(OpticsRead, WriteThenReadRestoresTheProgram)
{
    // The device hands back the bytes it was written in the read order.
    const DeviceProgram src = distinct_program();
    const OpticsBytes w = optics_write_bytes(src).value();
    const ReplyBytes a{{w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9]}};
    const ReplyBytes bb{{w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[19], w[18]}};
    const ReplyBytes c{{w[21], w[20], 0, 0, 0, 0, 0, 0, 0, 0}};
    DeviceProgram dst;
    reset_plan_and_sound(dst);
    dst.sensor_off_brightness = BrightnessSet::all(0);
    dst.evening_brightness = BrightnessSet::all(0);
    dst.day_brightness = BrightnessSet::all(0);
    dst.weekday_name = "Среда";
    ASSERT_TRUE(store_optics_reply(dst, CMD_READ_OPTICS_A, a));
    ASSERT_TRUE(store_optics_reply(dst, CMD_READ_OPTICS_B, bb));
    ASSERT_TRUE(store_optics_reply(dst, CMD_READ_OPTICS_C, c));
    DeviceProgram expected = src;
    expected.plan_enabled = dst.plan_enabled;
    expected.weekday_name = "Среда";
    expected.sound_type = dst.sound_type;
    expected.fast_pulse_time = dst.fast_pulse_time;
    expected.sound_off = dst.sound_off;
    EXPECT_EQ(dst, expected);
}

TEST(OpticsRead, ThresholdIsFirstByteHigh)
{
    DeviceProgram p;
    ReplyBytes r{};
    r.data[8] = 0x00; // bytes 9 and 10
    r.data[9] = 0xC8;
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.evening_lux_threshold, 200);
    r.data[8] = 0xC8;
    r.data[9] = 0x00;
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.evening_lux_threshold, 51200);
    const ReplyBytes c{{0x07, 0xD0}};
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_C, c));
    EXPECT_EQ(p.day_lux_threshold, 2000);
}

TEST(OpticsRead, SkippedFaultBytesDecodeUnclamped)
{
    DeviceProgram p;
    ReplyBytes r{};
    r.data.fill(255);
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.optical_sensor_on, -254);
    EXPECT_EQ(p.day_brightness.module_yellow, 100);
    EXPECT_EQ(p.evening_lux_threshold, 65535);
}

TEST(OpticsRead, ReadAOnlyTouchesItsFields)
{
    DeviceProgram p;
    const DeviceProgram before = p;
    ReplyBytes r{};
    r.data.fill(26);
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_A, r));
    EXPECT_EQ(p.sensor_off_brightness, BrightnessSet::all(10));
    EXPECT_EQ(p.evening_brightness.module_red, 10);
    EXPECT_EQ(p.evening_brightness.module_yellow, 10);
    EXPECT_EQ(p.evening_brightness.indicator_red, before.evening_brightness.indicator_red);
    EXPECT_EQ(p.day_brightness.module_yellow, before.day_brightness.module_yellow);
    EXPECT_EQ(p.optical_sensor_on, before.optical_sensor_on);
    EXPECT_EQ(p.evening_lux_threshold, before.evening_lux_threshold);
}

TEST(OpticsRead, OtherCodesChangeNothing)
{
    DeviceProgram p;
    const DeviceProgram before = p;
    const ReplyBytes r{};
    EXPECT_FALSE(store_optics_reply(p, CMD_STATUS, r));
    EXPECT_EQ(p, before);
}
