#include "tools/zuzo/commands/optics_compare.h"

#include <array>
#include <optional>

namespace zuzo {
namespace {

std::string sensor_text(bool on)
{
    return on ? "вкл." : "выкл.";
}

std::string device_text(const OpticsValue& v, const OpticsBytes& d, std::size_t at)
{
    switch (v.unit) {
    case OpticsUnit::Percent:
        return std::to_string(byte_to_percent(d[at])) + " %";
    case OpticsUnit::Lux:
        return std::to_string(256 * d[at + 1] + d[at]) + " Lux";
    case OpticsUnit::Sensor:
        break;
    }
    return sensor_text(d[at] == 0);
}

} // namespace

// A value that does not reach the device exactly is shown as the file has
// it and can never match.
std::string optics_value_text(const OpticsValue& v)
{
    const std::string outside = travels_exactly(v) ? "" : " (вне диапазона устройства)";
    switch (v.unit) {
    case OpticsUnit::Percent:
        return std::to_string(v.value) + " %" + outside;
    case OpticsUnit::Lux:
        return std::to_string(v.value) + " Lux" + outside;
    case OpticsUnit::Sensor:
        break;
    }
    return outside.empty() ? sensor_text(v.value == 1) : std::to_string(v.value) + outside;
}

OpticsBytes device_optics_bytes(const ReplyBytes& a, const ReplyBytes& b, const ReplyBytes& c)
{
    OpticsBytes out{};
    for (std::size_t k = 0; k < 10; ++k)
        out[k] = a.byte(k + 1);
    for (std::size_t k = 0; k < 8; ++k)
        out[10 + k] = b.byte(k + 1);
    out[18] = b.byte(10); // evening threshold, low byte
    out[19] = b.byte(9);
    out[20] = c.byte(2); // day threshold, low byte
    out[21] = c.byte(1);
    return out;
}

std::vector<OpticsDifference> optics_differences(const DeviceProgram& file, const OpticsBytes& device)
{
    std::vector<OpticsDifference> out;
    std::size_t at = 0; // the value's first byte in the write
    for (const OpticsValue& v : optics_values(file)) {
        const std::size_t width = v.unit == OpticsUnit::Lux ? 2 : 1;
        const std::optional<ValueBytes> sent = optics_value_bytes(v);
        bool differs = !sent.has_value();
        for (std::size_t n = 0; sent && n < width; ++n)
            differs = differs || sent->bytes[n] != device[at + n];
        if (differs) {
            OpticsDifference d{v.name, optics_value_text(v), device_text(v, device, at)};
            if (sent && d.file_value == d.device_value) { // one percent, two bytes: show the bytes
                d.file_value += " (байт " + std::to_string(sent->bytes[0]) + ")";
                d.device_value += " (байт " + std::to_string(device[at]) + ")";
            }
            out.push_back(std::move(d));
        }
        at += width;
    }
    return out;
}

} // namespace zuzo
