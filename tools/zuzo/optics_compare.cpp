#include "tools/zuzo/optics_compare.h"

#include <array>

namespace zuzo {
namespace {

enum class Unit { Percent, Sensor, Lux };

// One field of the program write: its name, unit, where its value is kept,
// and the position of its byte (thresholds: low byte, high byte next).
struct Field {
    const char* name;
    Unit unit;
    EditMode set;                       // for a brightness channel
    int channel;                        // for a brightness channel
    std::int32_t DeviceProgram::*plain; // for the other fields
    std::size_t byte;
};

constexpr std::array<Field, 20> kFields = {{
    {"sensor_off_brightness.module_red", Unit::Percent, EditMode::SensorOff, 1, nullptr, 0},
    {"sensor_off_brightness.module_green", Unit::Percent, EditMode::SensorOff, 2, nullptr, 1},
    {"sensor_off_brightness.module_yellow", Unit::Percent, EditMode::SensorOff, 3, nullptr, 2},
    {"sensor_off_brightness.indicator_red", Unit::Percent, EditMode::SensorOff, 4, nullptr, 3},
    {"sensor_off_brightness.indicator_green", Unit::Percent, EditMode::SensorOff, 5, nullptr, 4},
    {"evening_brightness.module_red", Unit::Percent, EditMode::Evening, 1, nullptr, 5},
    {"day_brightness.module_red", Unit::Percent, EditMode::Day, 1, nullptr, 6},
    {"evening_brightness.module_green", Unit::Percent, EditMode::Evening, 2, nullptr, 7},
    {"day_brightness.module_green", Unit::Percent, EditMode::Day, 2, nullptr, 8},
    {"evening_brightness.module_yellow", Unit::Percent, EditMode::Evening, 3, nullptr, 9},
    {"day_brightness.module_yellow", Unit::Percent, EditMode::Day, 3, nullptr, 10},
    {"evening_brightness.indicator_red", Unit::Percent, EditMode::Evening, 4, nullptr, 11},
    {"day_brightness.indicator_red", Unit::Percent, EditMode::Day, 4, nullptr, 12},
    {"evening_brightness.indicator_green", Unit::Percent, EditMode::Evening, 5, nullptr, 13},
    {"day_brightness.indicator_green", Unit::Percent, EditMode::Day, 5, nullptr, 14},
    {"optical_sensor_on", Unit::Sensor, EditMode::None, 0, &DeviceProgram::optical_sensor_on, 15},
    {"module_min_brightness", Unit::Percent, EditMode::None, 0, &DeviceProgram::module_min_brightness, 16},
    {"indicator_min_brightness", Unit::Percent, EditMode::None, 0, &DeviceProgram::indicator_min_brightness,
     17},
    {"evening_lux_threshold", Unit::Lux, EditMode::None, 0, &DeviceProgram::evening_lux_threshold, 18},
    {"day_lux_threshold", Unit::Lux, EditMode::None, 0, &DeviceProgram::day_lux_threshold, 20},
}};

std::uint8_t byte_of(std::int32_t reply_value)
{
    return static_cast<std::uint8_t>(reply_value & 0xFF);
}

std::int32_t file_value(const DeviceProgram& p, const Field& f)
{
    if (f.plain != nullptr)
        return p.*f.plain;
    return brightness_set(p, f.set)->channel(f.channel);
}

std::string sensor_text(bool on)
{
    return on ? "вкл." : "выкл.";
}

std::string file_text(const Field& f, std::int32_t v)
{
    switch (f.unit) {
    case Unit::Percent:
        return std::to_string(v) + " %";
    case Unit::Lux:
        return std::to_string(v) + " Lux";
    case Unit::Sensor:
        break;
    }
    if (v == 0 || v == 1)
        return sensor_text(v == 1);
    return sensor_text(clamp_byte(1 - static_cast<std::int64_t>(v)) == 0) + " (в файле " + std::to_string(v) +
           ")";
}

std::string device_text(const Field& f, const OpticsBytes& d)
{
    switch (f.unit) {
    case Unit::Percent:
        return std::to_string(byte_to_percent(d[f.byte])) + " %";
    case Unit::Lux:
        return std::to_string(256 * d[f.byte + 1] + d[f.byte]) + " Lux";
    case Unit::Sensor:
        break;
    }
    return sensor_text(d[f.byte] == 0);
}

} // namespace

OpticsBytes device_optics_bytes(const ReplyArray& a, const ReplyArray& b, const ReplyArray& c)
{
    OpticsBytes out{};
    for (std::size_t k = 0; k < 10; ++k)
        out[k] = byte_of(a[k + 1]);
    for (std::size_t k = 0; k < 8; ++k)
        out[10 + k] = byte_of(b[k + 1]);
    out[18] = byte_of(b[10]); // evening threshold, low byte
    out[19] = byte_of(b[9]);
    out[20] = byte_of(c[2]); // day threshold, low byte
    out[21] = byte_of(c[1]);
    return out;
}

std::vector<OpticsDifference> optics_differences(const DeviceProgram& file, const OpticsBytes& device)
{
    const OpticsBytes sent = optics_write_bytes(file);
    std::vector<OpticsDifference> out;
    for (const Field& f : kFields) {
        const bool two = f.unit == Unit::Lux;
        const bool differs =
            sent[f.byte] != device[f.byte] || (two && sent[f.byte + 1] != device[f.byte + 1]);
        if (!differs)
            continue;
        OpticsDifference d{f.name, file_text(f, file_value(file, f)), device_text(f, device)};
        if (d.file_value == d.device_value) { // one percent, two bytes: show the bytes
            d.file_value += " (байт " + std::to_string(sent[f.byte]) + ")";
            d.device_value += " (байт " + std::to_string(device[f.byte]) + ")";
        }
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace zuzo
