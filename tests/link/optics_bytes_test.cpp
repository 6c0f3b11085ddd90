// The 22 optics bytes of a program write and the storing of read replies.

#include "link/optics_bytes.h"

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
    const OpticsBytes bytes = optics_write_bytes(distinct_program());
    const OpticsBytes expected{b(1),  b(2),  b(3),  b(4),  b(5), b(10), b(60), b(20), b(70), b(30), b(80),
                               b(40), b(90), b(50), b(99), 0,    b(15), b(25), 0xC8,  0x00,  0xD0,  0x07};
    EXPECT_EQ(bytes, expected);
}

TEST(OpticsWrite, ThresholdBytesLowFirst)
{
    const WriteParams b_params = write_b_params(optics_write_bytes(distinct_program()));
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
    const OpticsBytes bytes = optics_write_bytes(distinct_program());
    const WriteParams a = write_a_params(bytes);
    const WriteParams bp = write_b_params(bytes);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(a[i], bytes[i]);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(bp[i], bytes[12 + i]);
}

TEST(OpticsWrite, SensorByteIsOneMinusFlag)
{
    DeviceProgram p = distinct_program();
    p.optical_sensor_on = 0;
    EXPECT_EQ(optics_write_bytes(p)[15], 1);
    p.optical_sensor_on = 1;
    EXPECT_EQ(optics_write_bytes(p)[15], 0);
    p.optical_sensor_on = -254; // 1 - (-254) = 255
    EXPECT_EQ(optics_write_bytes(p)[15], 255);
    p.optical_sensor_on = 5; // negative byte limited to 0
    EXPECT_EQ(optics_write_bytes(p)[15], 0);
}

TEST(OpticsWrite, OutOfRangeValuesAreLimited)
{
    const struct {
        std::int32_t brightness;
        std::int32_t threshold;
        std::uint8_t byte;
        std::uint8_t low;
        std::uint8_t high;
    } cases[] = {{150, 70000, 255, 0xFF, 0xFF},
                 {-10, -5, 0, 0, 0},
                 {101, 65535, 255, 0xFF, 0xFF},
                 {100, 65536, 255, 0xFF, 0xFF},
                 {2147483647, 256, 255, 0x00, 0x01}};
    for (const auto& c : cases) {
        DeviceProgram p = distinct_program();
        p.sensor_off_brightness.module_red = c.brightness;
        p.module_min_brightness = c.brightness;
        p.evening_lux_threshold = c.threshold;
        const OpticsBytes bytes = optics_write_bytes(p);
        EXPECT_EQ(bytes[0], c.byte) << c.brightness;
        EXPECT_EQ(bytes[16], c.byte) << c.brightness;
        EXPECT_EQ(bytes[18], c.low) << c.threshold;
        EXPECT_EQ(bytes[19], c.high) << c.threshold;
    }
}

TEST(OpticsWrite, PreviewParams)
{
    const WriteParams params = preview_params({10, 50, 100, 150, -3});
    const WriteParams expected{26, 127, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(params, expected);
}

TEST(OpticsRead, WriteThenReadRestoresTheProgram)
{
    // The device hands back the bytes it was written in the read order.
    const DeviceProgram src = distinct_program();
    const OpticsBytes w = optics_write_bytes(src);
    const ReplyArray a{0, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9]};
    const ReplyArray bb{0, w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[19], w[18]};
    const ReplyArray c{0, w[21], w[20], 0, 0, 0, 0, 0, 0, 0, 0};
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
    ReplyArray r{};
    r[9] = 0x00;
    r[10] = 0xC8;
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.evening_lux_threshold, 200);
    r[9] = 0xC8;
    r[10] = 0x00;
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.evening_lux_threshold, 51200);
    ReplyArray c{};
    c[1] = 0x07;
    c[2] = 0xD0;
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_C, c));
    EXPECT_EQ(p.day_lux_threshold, 2000);
}

TEST(OpticsRead, SkippedFaultBytesDecodeUnclamped)
{
    DeviceProgram p;
    ReplyArray r{};
    r.fill(255);
    ASSERT_TRUE(store_optics_reply(p, CMD_READ_OPTICS_B, r));
    EXPECT_EQ(p.optical_sensor_on, -254);
    EXPECT_EQ(p.day_brightness.module_yellow, 100);
    EXPECT_EQ(p.evening_lux_threshold, 65535);
}

TEST(OpticsRead, ReadAOnlyTouchesItsFields)
{
    DeviceProgram p;
    const DeviceProgram before = p;
    ReplyArray r{};
    r.fill(26);
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
    ReplyArray r{};
    EXPECT_FALSE(store_optics_reply(p, CMD_STATUS, r));
    EXPECT_EQ(p, before);
}
