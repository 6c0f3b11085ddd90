#include "robustness/optics_sample.h"

namespace robustness {

zuzo::DeviceProgram sample_optics(zuzo::DeviceProgram p)
{
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

zuzo::DeviceProgram after_partial_read(zuzo::DeviceProgram p, const zuzo::DeviceProgram& s, int commands)
{
    if (commands >= 1) { // the first optics read
        p.sensor_off_brightness = s.sensor_off_brightness;
        p.evening_brightness.module_red = s.evening_brightness.module_red;
        p.day_brightness.module_red = s.day_brightness.module_red;
        p.evening_brightness.module_green = s.evening_brightness.module_green;
        p.day_brightness.module_green = s.day_brightness.module_green;
        p.evening_brightness.module_yellow = s.evening_brightness.module_yellow;
    }
    if (commands >= 2) { // the second
        p.day_brightness.module_yellow = s.day_brightness.module_yellow;
        p.evening_brightness.indicator_red = s.evening_brightness.indicator_red;
        p.day_brightness.indicator_red = s.day_brightness.indicator_red;
        p.evening_brightness.indicator_green = s.evening_brightness.indicator_green;
        p.day_brightness.indicator_green = s.day_brightness.indicator_green;
        p.optical_sensor_on = s.optical_sensor_on;
        p.module_min_brightness = s.module_min_brightness;
        p.indicator_min_brightness = s.indicator_min_brightness;
        p.evening_lux_threshold = s.evening_lux_threshold;
    }
    if (commands >= 3) // the third
        p.day_lux_threshold = s.day_lux_threshold;
    return p;
}

} // namespace robustness
