#include "robustness/partial_read.h"

namespace robustness {

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
