#include "program/optics_range.h"

namespace zuzo {

std::array<OpticsValue, kOpticsValueCount> optics_values(const DeviceProgram& p)
{
    const BrightnessSet& off = p.sensor_off_brightness;
    const BrightnessSet& ev = p.evening_brightness;
    const BrightnessSet& day = p.day_brightness;
    constexpr OpticsUnit pc = OpticsUnit::Percent;
    return {{
        {"sensor_off_brightness.module_red", pc, off.module_red},
        {"sensor_off_brightness.module_green", pc, off.module_green},
        {"sensor_off_brightness.module_yellow", pc, off.module_yellow},
        {"sensor_off_brightness.indicator_red", pc, off.indicator_red},
        {"sensor_off_brightness.indicator_green", pc, off.indicator_green},
        {"evening_brightness.module_red", pc, ev.module_red},
        {"day_brightness.module_red", pc, day.module_red},
        {"evening_brightness.module_green", pc, ev.module_green},
        {"day_brightness.module_green", pc, day.module_green},
        {"evening_brightness.module_yellow", pc, ev.module_yellow},
        {"day_brightness.module_yellow", pc, day.module_yellow},
        {"evening_brightness.indicator_red", pc, ev.indicator_red},
        {"day_brightness.indicator_red", pc, day.indicator_red},
        {"evening_brightness.indicator_green", pc, ev.indicator_green},
        {"day_brightness.indicator_green", pc, day.indicator_green},
        {"optical_sensor_on", OpticsUnit::Sensor, p.optical_sensor_on},
        {"module_min_brightness", pc, p.module_min_brightness},
        {"indicator_min_brightness", pc, p.indicator_min_brightness},
        {"evening_lux_threshold", OpticsUnit::Lux, p.evening_lux_threshold},
        {"day_lux_threshold", OpticsUnit::Lux, p.day_lux_threshold},
    }};
}

bool travels_exactly(const OpticsValue& v)
{
    switch (v.unit) {
    case OpticsUnit::Percent:
        return v.value >= 0 && v.value <= kPercentHighest;
    case OpticsUnit::Sensor:
        return v.value == 0 || v.value == 1;
    case OpticsUnit::Lux:
        return v.value >= 0 && v.value <= kLuxHighest;
    }
    return false;
}

std::string travel_problem(const OpticsValue& v)
{
    if (travels_exactly(v))
        return {};
    const std::string value = std::to_string(v.value);
    switch (v.unit) {
    case OpticsUnit::Percent:
        return value + " % вне диапазона 0..100 %: устройство хранит яркость одним байтом";
    case OpticsUnit::Sensor:
        return value + ": датчик задается только 0 (выкл.) или 1 (вкл.)";
    case OpticsUnit::Lux:
        break;
    }
    return value + " Lux вне диапазона 0..65535 Lux: устройство хранит порог двумя байтами";
}

std::vector<OpticsValue> inexact_optics_values(const DeviceProgram& program)
{
    std::vector<OpticsValue> out;
    for (const OpticsValue& v : optics_values(program)) {
        if (!travels_exactly(v))
            out.push_back(v);
    }
    return out;
}

std::optional<std::string> first_inexact_optics_value(const DeviceProgram& program)
{
    const std::vector<OpticsValue> inexact = inexact_optics_values(program);
    if (inexact.empty())
        return std::nullopt;
    return std::string(inexact.front().name) + ": " + travel_problem(inexact.front());
}

std::vector<OpticsValue> thresholds_beyond_editor(const DeviceProgram& program)
{
    std::vector<OpticsValue> out;
    for (const OpticsValue& v : optics_values(program)) {
        if (v.unit == OpticsUnit::Lux && travels_exactly(v) && v.value > kLuxEditHighest)
            out.push_back(v);
    }
    return out;
}

} // namespace zuzo
