#include "program/core/optics_range.h"

namespace zuzo {

std::array<OpticsValue, kOpticsValueCount> optics_values(const DeviceProgram& p)
{
    const BrightnessSet& off = p.sensor_off_brightness;
    const BrightnessSet& ev = p.evening_brightness;
    const BrightnessSet& day = p.day_brightness;
    constexpr OpticsUnit pc = OpticsUnit::Percent;
    return {{
        {"sensor_off_brightness.module_red", "Яркость модуля, с выкл. датчиком, красный", pc, off.module_red,
         1, 1},
        {"sensor_off_brightness.module_green", "Яркость модуля, с выкл. датчиком, зеленый", pc,
         off.module_green, 2, 2},
        {"sensor_off_brightness.module_yellow", "Яркость модуля, с выкл. датчиком, желтый", pc,
         off.module_yellow, 3, 3},
        {"sensor_off_brightness.indicator_red", "Яркость индикатора, с выкл. датчиком, красный", pc,
         off.indicator_red, 4, 4},
        {"sensor_off_brightness.indicator_green", "Яркость индикатора, с выкл. датчиком, зеленый", pc,
         off.indicator_green, 5, 5},
        {"evening_brightness.module_red", "Яркость модуля, для вечернего времени, красный", pc, ev.module_red,
         1, 1},
        {"day_brightness.module_red", "Яркость модуля, для дневного времени, красный", pc, day.module_red, 1,
         1},
        {"evening_brightness.module_green", "Яркость модуля, для вечернего времени, зеленый", pc,
         ev.module_green, 2, 2},
        {"day_brightness.module_green", "Яркость модуля, для дневного времени, зеленый", pc, day.module_green,
         2, 2},
        {"evening_brightness.module_yellow", "Яркость модуля, для вечернего времени, желтый", pc,
         ev.module_yellow, 3, 3},
        {"day_brightness.module_yellow", "Яркость модуля, для дневного времени, желтый", pc,
         day.module_yellow, 3, 3},
        {"evening_brightness.indicator_red", "Яркость индикатора, для вечернего времени, красный", pc,
         ev.indicator_red, 4, 4},
        {"day_brightness.indicator_red", "Яркость индикатора, для дневного времени, красный", pc,
         day.indicator_red, 4, 4},
        {"evening_brightness.indicator_green", "Яркость индикатора, для вечернего времени, зеленый", pc,
         ev.indicator_green, 5, 5},
        {"day_brightness.indicator_green", "Яркость индикатора, для дневного времени, зеленый", pc,
         day.indicator_green, 5, 5},
        {"optical_sensor_on", "Оптический датчик", OpticsUnit::Sensor, p.optical_sensor_on, 0, 0},
        {"module_min_brightness", "Минимальная яркость модуля", pc, p.module_min_brightness, 1, 3},
        {"indicator_min_brightness", "Минимальная яркость индикатора", pc, p.indicator_min_brightness, 4, 5},
        {"evening_lux_threshold", "Порог освещенности, вечернее время", OpticsUnit::Lux,
         p.evening_lux_threshold, 0, 0},
        {"day_lux_threshold", "Порог освещенности, дневное время", OpticsUnit::Lux, p.day_lux_threshold, 0,
         0},
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

std::optional<std::string> first_inexact_optics_label(const DeviceProgram& program)
{
    const std::vector<OpticsValue> inexact = inexact_optics_values(program);
    if (inexact.empty())
        return std::nullopt;
    return std::string(inexact.front().label) + ": " + travel_problem(inexact.front());
}

OpticsCodes with_range_faults(OpticsCodes codes, const DeviceProgram& program)
{
    // The rules' own codes stand; the range shows where they find nothing.
    const OpticsCodes rules = codes;
    for (const OpticsValue& v : inexact_optics_values(program)) {
        if (v.first_channel == 0 && rules.lux == OPTICS_OK)
            codes.lux = OPTICS_OUT_OF_RANGE;
        for (int c = v.first_channel; c >= 1 && c <= v.last_channel; ++c) {
            if (rules.channel[static_cast<std::size_t>(c)] == OPTICS_OK)
                codes.channel[static_cast<std::size_t>(c)] = OPTICS_OUT_OF_RANGE;
        }
    }
    return codes;
}

std::string range_faults_text(const DeviceProgram& program, int channel)
{
    std::string text;
    for (const OpticsValue& v : inexact_optics_values(program)) {
        const bool shown =
            channel == 0 ? v.first_channel == 0 : channel >= v.first_channel && channel <= v.last_channel;
        if (shown)
            text += std::string(text.empty() ? "" : "\n") + v.label + ": " + travel_problem(v);
    }
    return text;
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
