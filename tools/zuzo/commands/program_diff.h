#pragma once
// What differs between two programs, field by field, worded as a
// verification words the optics (optics_compare.h): the weekday on show,
// every plan interval by day and number (switch, time, volume), the three
// sound settings, then the optics in the order of the program write, each
// value in the units of the tool.

#include "program/core/device_program.h"

#include <string>
#include <vector>

namespace zuzo {

struct ProgramDifference {
    std::string field; // "weekday_name", "Вторник, интервал 2", "sound_type", "evening_brightness.module_red"
    std::string first;  // as the first program holds it, e.g. "вкл., 07:45, 60 %"
    std::string second; // as the second one holds it
};

[[nodiscard]] std::vector<ProgramDifference> program_differences(const DeviceProgram& first,
                                                                 const DeviceProgram& second);

} // namespace zuzo
