#include "link/core/optics_bytes.h"

#include <algorithm>

namespace zuzo {
namespace {

bool is_percent(std::int32_t value)
{
    return value >= 0 && value <= kPercentHighest;
}

// 256 x first + second.
std::int32_t word(std::uint8_t first, std::uint8_t second)
{
    return 256 * first + second;
}

} // namespace

std::optional<ValueBytes> optics_value_bytes(const OpticsValue& v)
{
    if (!travels_exactly(v))
        return std::nullopt;
    const auto value = static_cast<std::uint32_t>(v.value);
    switch (v.unit) {
    case OpticsUnit::Percent:
        return ValueBytes{{static_cast<std::uint8_t>(percent_to_byte(v.value)), 0}, 1};
    case OpticsUnit::Sensor:
        return ValueBytes{{static_cast<std::uint8_t>(1 - value), 0}, 1}; // 0 = sensor used
    case OpticsUnit::Lux:
        break;
    }
    return ValueBytes{{static_cast<std::uint8_t>(value % 256), static_cast<std::uint8_t>(value / 256)}, 2};
}

std::optional<OpticsBytes> optics_write_bytes(const DeviceProgram& p)
{
    OpticsBytes out{};
    std::size_t k = 0;
    for (const OpticsValue& v : optics_values(p)) {
        const std::optional<ValueBytes> encoded = optics_value_bytes(v);
        if (!encoded)
            return std::nullopt;
        for (std::size_t n = 0; n < encoded->count; ++n)
            out[k++] = encoded->bytes[n];
    }
    return out;
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

std::optional<WriteParams> preview_params(const BrightnessSet& set)
{
    WriteParams out{};
    for (int c = 1; c <= kChannels; ++c) {
        if (!is_percent(set.channel(c)))
            return std::nullopt;
        out[static_cast<std::size_t>(c - 1)] = static_cast<std::uint8_t>(percent_to_byte(set.channel(c)));
    }
    return out;
}

bool store_optics_reply(DeviceProgram& p, std::uint8_t code, const ReplyBytes& r)
{
    BrightnessSet& off = p.sensor_off_brightness;
    BrightnessSet& ev = p.evening_brightness;
    BrightnessSet& day = p.day_brightness;
    switch (code) {
    case CMD_READ_OPTICS_A:
        off.module_red = byte_to_percent(r.byte(1));
        off.module_green = byte_to_percent(r.byte(2));
        off.module_yellow = byte_to_percent(r.byte(3));
        off.indicator_red = byte_to_percent(r.byte(4));
        off.indicator_green = byte_to_percent(r.byte(5));
        ev.module_red = byte_to_percent(r.byte(6));
        day.module_red = byte_to_percent(r.byte(7));
        ev.module_green = byte_to_percent(r.byte(8));
        day.module_green = byte_to_percent(r.byte(9));
        ev.module_yellow = byte_to_percent(r.byte(10));
        return true;
    case CMD_READ_OPTICS_B:
        day.module_yellow = byte_to_percent(r.byte(1));
        ev.indicator_red = byte_to_percent(r.byte(2));
        day.indicator_red = byte_to_percent(r.byte(3));
        ev.indicator_green = byte_to_percent(r.byte(4));
        day.indicator_green = byte_to_percent(r.byte(5));
        p.optical_sensor_on = 1 - r.byte(6);
        p.module_min_brightness = byte_to_percent(r.byte(7));
        p.indicator_min_brightness = byte_to_percent(r.byte(8));
        p.evening_lux_threshold = word(r.byte(9), r.byte(10));
        return true;
    case CMD_READ_OPTICS_C:
        p.day_lux_threshold = word(r.byte(1), r.byte(2));
        return true;
    default:
        return false;
    }
}

} // namespace zuzo
