#pragma once
// Sample programs shared by the tests.

#include "program/device_program.h"

// Optics that pass every rule, distinct from the factory values.
inline zuzo::DeviceProgram sound_program()
{
    zuzo::DeviceProgram p;
    p.sensor_off_brightness = zuzo::BrightnessSet::all(90);
    p.evening_brightness = {60, 61, 62, 63, 64};
    p.day_brightness = {80, 81, 82, 83, 84};
    p.module_min_brightness = 30;
    p.indicator_min_brightness = 40;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 300;
    p.day_lux_threshold = 4000;
    return p;
}
