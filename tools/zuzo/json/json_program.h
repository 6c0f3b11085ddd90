#pragma once
// The device program as JSON: keys are the model's field names, texts UTF-8.
//
//   weekday_name, plan {enabled, hour, minute, volume: 7 arrays (Monday first)
//   of 12 integers}, sound_type, fast_pulse_time, sound_off,
//   sensor_off_brightness, evening_brightness, day_brightness (objects keyed
//   module_red, module_green, module_yellow, indicator_red, indicator_green),
//   module_min_brightness, indicator_min_brightness, optical_sensor_on,
//   evening_lux_threshold, day_lux_threshold.

#include "program/core/device_program.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/json/json.h"

#include <string>

namespace zuzo {

enum class JsonProgramStatus { Ok, Invalid };

struct JsonProgramResult {
    JsonProgramStatus status = JsonProgramStatus::Ok;
    std::string error; // names the offending key when Invalid
};

// Every field of the program.
[[nodiscard]] json::Value program_to_json(const DeviceProgram& program);

// The optics fields only (the three brightness sets, both minimums,
// optical_sensor_on and both thresholds).
[[nodiscard]] json::Value optics_to_json(const DeviceProgram& program);

// Takes the keys present in object into out; a missing key keeps out's value.
// An unknown key, a value of the wrong kind, an integer outside 32 bits or a
// plan table not shaped 7 x 12 is refused; out is then untouched.
[[nodiscard]] JsonProgramResult program_from_json(const json::Value& object, DeviceProgram& out);

// The key of a field in this JSON, e.g. "weekday_name" or "plan.volume[0][2]"
// (day and interval counted from 0, as the arrays count).
[[nodiscard]] std::string json_field_name(const PtmFieldFault& fault);

// As program_from_json for the optics keys; the other program keys (plan,
// texts, sound_off) are ignored, so a whole program's JSON is accepted too.
[[nodiscard]] JsonProgramResult optics_from_json(const json::Value& object, DeviceProgram& out);

} // namespace zuzo
