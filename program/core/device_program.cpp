#include "program/core/device_program.h"

namespace zuzo {

std::int32_t& BrightnessSet::channel(int c)
{
    switch (c) {
    case 2:
        return module_green;
    case 3:
        return module_yellow;
    case 4:
        return indicator_red;
    case 5:
        return indicator_green;
    default:
        return module_red;
    }
}

std::int32_t BrightnessSet::channel(int c) const
{
    return const_cast<BrightnessSet*>(this)->channel(c);
}

void apply_optics_defaults(DeviceProgram& p)
{
    const DeviceProgram fresh;
    p.sensor_off_brightness = fresh.sensor_off_brightness;
    p.evening_brightness = fresh.evening_brightness;
    p.day_brightness = fresh.day_brightness;
    p.module_min_brightness = fresh.module_min_brightness;
    p.indicator_min_brightness = fresh.indicator_min_brightness;
    p.optical_sensor_on = fresh.optical_sensor_on;
    p.evening_lux_threshold = fresh.evening_lux_threshold;
    p.day_lux_threshold = fresh.day_lux_threshold;
}

void reset_plan_and_sound(DeviceProgram& p)
{
    for (int d = 1; d <= kDays; ++d) {
        for (int i = 1; i <= kIntervals; ++i) {
            p.plan_enabled[d][i] = 0;
            p.plan_hour[d][i] = 0;
            p.plan_minute[d][i] = 0;
            p.plan_volume[d][i] = 0;
        }
    }
    const DeviceProgram fresh;
    p.sound_type = fresh.sound_type;
    p.fast_pulse_time = fresh.fast_pulse_time;
    p.sound_off = fresh.sound_off;
    p.weekday_name = fresh.weekday_name;
}

EditMode edit_mode(int sensor_combo_index, bool dark_selected, bool light_selected)
{
    if (sensor_combo_index == 0)
        return EditMode::SensorOff;
    if (sensor_combo_index == 1) {
        if (light_selected)
            return EditMode::Day;
        if (dark_selected)
            return EditMode::Evening;
    }
    return EditMode::None;
}

BrightnessSet* brightness_set(DeviceProgram& p, EditMode mode)
{
    switch (mode) {
    case EditMode::SensorOff:
        return &p.sensor_off_brightness;
    case EditMode::Evening:
        return &p.evening_brightness;
    case EditMode::Day:
        return &p.day_brightness;
    case EditMode::None:
        break;
    }
    return nullptr;
}

const BrightnessSet* brightness_set(const DeviceProgram& p, EditMode mode)
{
    return brightness_set(const_cast<DeviceProgram&>(p), mode);
}

const std::array<const char*, kDays>& weekday_names()
{
    static const std::array<const char*, kDays> names = {"Понедельник", "Вторник", "Среда",      "Четверг",
                                                         "Пятница",     "Суббота", "Воскресенье"};
    return names;
}

const std::array<const char*, 3>& sound_type_names()
{
    static const std::array<const char*, 3> names = {"Сигнал №1", "Сигнал №2", "Сигнал №3"};
    return names;
}

} // namespace zuzo
