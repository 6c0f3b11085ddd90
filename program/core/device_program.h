#pragma once
// The one device program the tool edits: weekly plan, sound settings, optics.

#include <array>
#include <cstdint>
#include <string>

namespace zuzo {

constexpr int kDays = 7;       // day index 1..7, Monday first; index 0 unused
constexpr int kIntervals = 12; // interval 1..12; index 0 unused
constexpr int kChannels = 5;   // channel 1..5

// [day 0..7][interval 0..12]; index 0 of both dimensions is never used.
using PlanTable = std::array<std::array<std::int32_t, kIntervals + 1>, kDays + 1>;

// Brightness in percent per lamp, in the fixed channel order 1..5.
struct BrightnessSet {
    std::int32_t module_red = 0;      // channel 1
    std::int32_t module_green = 0;    // channel 2
    std::int32_t module_yellow = 0;   // channel 3
    std::int32_t indicator_red = 0;   // channel 4
    std::int32_t indicator_green = 0; // channel 5

    // Channel c in 1..5; any other c yields module_red (callers pass 1..5).
    [[nodiscard]] std::int32_t& channel(int c);
    [[nodiscard]] std::int32_t channel(int c) const;
    static BrightnessSet all(std::int32_t v) { return {v, v, v, v, v}; }
    bool operator==(const BrightnessSet&) const = default;
};

// Edit mode: which BrightnessSet the optics tab shows and edits.
enum class EditMode : int { None = 0, SensorOff = 1, Evening = 2, Day = 3 };

struct DeviceProgram {
    PlanTable plan_enabled{};
    PlanTable plan_hour{};
    PlanTable plan_minute{};
    PlanTable plan_volume{};

    // Held by controls in the tool (weekday shown, sound group); mirrored here
    // as UTF-8 text so the file format and the companion program see them.
    std::string weekday_name = "Понедельник";
    std::string sound_type = "Сигнал №1";
    std::string fast_pulse_time = "10";
    std::int32_t sound_off = 0;

    BrightnessSet sensor_off_brightness = BrightnessSet::all(100);
    BrightnessSet evening_brightness = BrightnessSet::all(50);
    BrightnessSet day_brightness = BrightnessSet::all(100);
    std::int32_t module_min_brightness = 50;
    std::int32_t indicator_min_brightness = 50;
    std::int32_t optical_sensor_on = 0;
    std::int32_t evening_lux_threshold = 200;
    std::int32_t day_lux_threshold = 2000;

    bool operator==(const DeviceProgram&) const = default;
};

// Every optics field to its factory value; plan and sound settings untouched.
void apply_optics_defaults(DeviceProgram& p);

// Plan tables to 0 for days 1..7, intervals 1..12; sound settings and weekday
// to the new-document values ("Сигнал №1", "10", sound on, "Понедельник").
void reset_plan_and_sound(DeviceProgram& p);

// Edit mode from the optics controls: sensor combo position (-1 = none) and
// which of the dark/light options is selected. Light wins if both are.
[[nodiscard]] EditMode edit_mode(int sensor_combo_index, bool dark_selected, bool light_selected);

// The set edited in a mode; nullptr for EditMode::None.
[[nodiscard]] BrightnessSet* brightness_set(DeviceProgram& p, EditMode mode);
[[nodiscard]] const BrightnessSet* brightness_set(const DeviceProgram& p, EditMode mode);

// The seven weekday names, Monday first (day index = position + 1).
[[nodiscard]] const std::array<const char*, kDays>& weekday_names();

// The three sound type items ("Сигнал №1".."Сигнал №3").
[[nodiscard]] const std::array<const char*, 3>& sound_type_names();

} // namespace zuzo
