#pragma once
// Sample programs shared by the tests, and the setting of plan intervals.

#include "program/core/device_program.h"

#include <cstddef>

// Optics that pass every rule, distinct from the factory values; the rest of
// base as it is.
inline zuzo::DeviceProgram sound_program(zuzo::DeviceProgram base = {})
{
    base.sensor_off_brightness = zuzo::BrightnessSet::all(90);
    base.evening_brightness = {60, 61, 62, 63, 64};
    base.day_brightness = {80, 81, 82, 83, 84};
    base.module_min_brightness = 30;
    base.indicator_min_brightness = 40;
    base.optical_sensor_on = 1;
    base.evening_lux_threshold = 300;
    base.day_lux_threshold = 4000;
    return base;
}

// Optics with every field distinct from the factory values and from each
// other, the ends of a brightness byte (0 %, 100 %) and a threshold above
// 32767 among them; the rest of base as it is. They travel to the device and
// back unchanged.
inline zuzo::DeviceProgram distinct_optics(zuzo::DeviceProgram base = {})
{
    base.sensor_off_brightness = {1, 5, 10, 30, 50};
    base.evening_brightness = {70, 90, 99, 100, 0};
    base.day_brightness = {12, 23, 34, 45, 56};
    base.module_min_brightness = 67;
    base.indicator_min_brightness = 78;
    base.optical_sensor_on = 1;
    base.evening_lux_threshold = 300;
    base.day_lux_threshold = 51200;
    return base;
}

// One interval of the weekly plan as the four tables hold it.
struct PlanInterval {
    int day;      // 1..7, Monday first (0 and 8.. only where a test plants them)
    int interval; // 1..12
    int on;
    int hour;
    int minute;
    int volume;
};

inline void set_interval(zuzo::DeviceProgram& p, const PlanInterval& v)
{
    const auto d = static_cast<std::size_t>(v.day);
    const auto i = static_cast<std::size_t>(v.interval);
    p.plan_enabled[d][i] = v.on;
    p.plan_hour[d][i] = v.hour;
    p.plan_minute[d][i] = v.minute;
    p.plan_volume[d][i] = v.volume;
}
