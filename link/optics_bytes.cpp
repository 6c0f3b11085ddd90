#include "link/optics_bytes.h"

#include <algorithm>

namespace zuzo {
namespace {

std::uint8_t level(std::int32_t percent)
{
    return clamp_byte(percent_to_byte(percent));
}

std::int32_t threshold(std::int32_t value)
{
    return std::clamp<std::int32_t>(value, 0, 65535);
}

// 256 x first + second; reply elements are bytes, so this never wraps in use.
std::int32_t word(std::int32_t first, std::int32_t second)
{
    return static_cast<std::int32_t>(256u * static_cast<std::uint32_t>(first) +
                                     static_cast<std::uint32_t>(second));
}

} // namespace

OpticsBytes optics_write_bytes(const DeviceProgram& p)
{
    const BrightnessSet& off = p.sensor_off_brightness;
    const BrightnessSet& ev = p.evening_brightness;
    const BrightnessSet& day = p.day_brightness;
    const std::int32_t evening = threshold(p.evening_lux_threshold);
    const std::int32_t daylight = threshold(p.day_lux_threshold);
    return {
        // CMD_WRITE_OPTICS_A, bytes 1..12
        level(off.module_red),
        level(off.module_green),
        level(off.module_yellow),
        level(off.indicator_red),
        level(off.indicator_green),
        level(ev.module_red),
        level(day.module_red),
        level(ev.module_green),
        level(day.module_green),
        level(ev.module_yellow),
        level(day.module_yellow),
        level(ev.indicator_red),
        // CMD_WRITE_OPTICS_B, bytes 1..10
        level(day.indicator_red),
        level(ev.indicator_green),
        level(day.indicator_green),
        clamp_byte(1 - static_cast<std::int64_t>(p.optical_sensor_on)),
        level(p.module_min_brightness),
        level(p.indicator_min_brightness),
        static_cast<std::uint8_t>(evening % 256),
        static_cast<std::uint8_t>(evening / 256),
        static_cast<std::uint8_t>(daylight % 256),
        static_cast<std::uint8_t>(daylight / 256),
    };
}

WriteParams write_a_params(const OpticsBytes& bytes)
{
    WriteParams out{};
    std::copy_n(bytes.begin(), 12, out.begin());
    return out;
}

WriteParams write_b_params(const OpticsBytes& bytes)
{
    WriteParams out{};
    std::copy_n(bytes.begin() + 12, 10, out.begin());
    return out;
}

WriteParams preview_params(const BrightnessSet& set)
{
    WriteParams out{};
    for (int c = 1; c <= kChannels; ++c)
        out[static_cast<std::size_t>(c - 1)] = level(set.channel(c));
    return out;
}

bool store_optics_reply(DeviceProgram& p, std::uint8_t code, const ReplyArray& r)
{
    BrightnessSet& off = p.sensor_off_brightness;
    BrightnessSet& ev = p.evening_brightness;
    BrightnessSet& day = p.day_brightness;
    switch (code) {
    case CMD_READ_OPTICS_A:
        off.module_red = byte_to_percent(r[1]);
        off.module_green = byte_to_percent(r[2]);
        off.module_yellow = byte_to_percent(r[3]);
        off.indicator_red = byte_to_percent(r[4]);
        off.indicator_green = byte_to_percent(r[5]);
        ev.module_red = byte_to_percent(r[6]);
        day.module_red = byte_to_percent(r[7]);
        ev.module_green = byte_to_percent(r[8]);
        day.module_green = byte_to_percent(r[9]);
        ev.module_yellow = byte_to_percent(r[10]);
        return true;
    case CMD_READ_OPTICS_B:
        day.module_yellow = byte_to_percent(r[1]);
        ev.indicator_red = byte_to_percent(r[2]);
        day.indicator_red = byte_to_percent(r[3]);
        ev.indicator_green = byte_to_percent(r[4]);
        day.indicator_green = byte_to_percent(r[5]);
        p.optical_sensor_on = static_cast<std::int32_t>(1u - static_cast<std::uint32_t>(r[6]));
        p.module_min_brightness = byte_to_percent(r[7]);
        p.indicator_min_brightness = byte_to_percent(r[8]);
        p.evening_lux_threshold = word(r[9], r[10]);
        return true;
    case CMD_READ_OPTICS_C:
        p.day_lux_threshold = word(r[1], r[2]);
        return true;
    default:
        return false;
    }
}

} // namespace zuzo
