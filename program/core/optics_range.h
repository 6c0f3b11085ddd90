#pragma once
// Whether the optics of a program reach the device exactly as they stand: a
// brightness travels as one byte (0..100 % converts there and back
// unchanged), the sensor setting as one byte that is 0 or 1, a threshold as
// two bytes (0..65535 Lux). A value outside is never squeezed into range: it
// is reported, and whatever sends refuses the program.

#include "program/core/device_program.h"
#include "program/core/optics_rules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zuzo {

enum class OpticsUnit { Percent, Sensor, Lux };

// The largest values the device holds, and the largest threshold the editor
// lets a user type.
inline constexpr std::int32_t kPercentHighest = 100;
inline constexpr std::int32_t kLuxHighest = 65535;
inline constexpr std::int32_t kLuxEditHighest = 12000;

// The code a warning of the "Оптика" tab shows for a value that would not
// reach the device as it stands (after the rules' codes 1..6).
inline constexpr int OPTICS_OUT_OF_RANGE = 7;

// One optics value of a program, named as its JSON key
// ("evening_brightness.module_red", "optical_sensor_on") and as the tool
// names it ("Яркость модуля, для вечернего времени, красный").
struct OpticsValue {
    const char* name = "";
    const char* label = "";
    OpticsUnit unit = OpticsUnit::Percent;
    std::int32_t value = 0;
    // The channels (1..5) whose warning shows the value; 0 and 0 for the
    // thresholds and the sensor setting, which the thresholds' warning shows.
    int first_channel = 0;
    int last_channel = 0;
};

inline constexpr std::size_t kOpticsValueCount = 20;

// The 20 optics values in the order of the program write: the 15 lamps,
// the sensor setting, both minimums, the evening and the day threshold.
[[nodiscard]] std::array<OpticsValue, kOpticsValueCount> optics_values(const DeviceProgram& program);

// True when the value reaches the device and reads back unchanged.
[[nodiscard]] bool travels_exactly(const OpticsValue& v);

// Why a value does not travel exactly, in Russian on one line
// ("150 % вне диапазона 0..100 %"); empty when it does.
[[nodiscard]] std::string travel_problem(const OpticsValue& v);

// Every value that does not travel exactly, in the order of the write.
[[nodiscard]] std::vector<OpticsValue> inexact_optics_values(const DeviceProgram& program);

// The first of them, as "name: problem"; nothing when all travel exactly.
[[nodiscard]] std::optional<std::string> first_inexact_optics_value(const DeviceProgram& program);

// The first of them as the tool names it, "label: problem".
[[nodiscard]] std::optional<std::string> first_inexact_optics_label(const DeviceProgram& program);

// The rules' codes with every value that does not travel exactly shown by
// its warning: OPTICS_OUT_OF_RANGE on its channel (a minimum: on every
// channel of its lamp group), or on the thresholds' warning for a threshold
// and the sensor setting, wherever the rules themselves found nothing: a
// rule's own code and text come first.
[[nodiscard]] OpticsCodes with_range_faults(OpticsCodes codes, const DeviceProgram& program);

// What the warning of channel (1..5; 0 the thresholds') explains for
// OPTICS_OUT_OF_RANGE: a line "label: problem" for each value it shows.
[[nodiscard]] std::string range_faults_text(const DeviceProgram& program, int channel);

// Thresholds that travel exactly but that the editor would not let a user
// type (above kLuxEditHighest).
[[nodiscard]] std::vector<OpticsValue> thresholds_beyond_editor(const DeviceProgram& program);

} // namespace zuzo
