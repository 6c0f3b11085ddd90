#pragma once
// The six optics rules: one per brightness channel and one for the two
// illuminance thresholds. A rule never changes a value; it yields a code.

#include "program/core/device_program.h"

#include <array>
#include <string_view>

namespace zuzo {

// Codes of the rules; 0 means no fault.
inline constexpr int OPTICS_OK = 0;
inline constexpr int OPTICS_EVENING_ABOVE_DAY = 1;
inline constexpr int OPTICS_DAY_BELOW_MIN = 2;
inline constexpr int OPTICS_EVENING_BELOW_MIN = 3;
inline constexpr int OPTICS_SENSOR_OFF_BELOW_MIN = 4;
inline constexpr int OPTICS_LUX_ORDER = 5;
inline constexpr int OPTICS_LUX_ZERO = 6;

// Channel c (1..5) against its group's minimum; 0..4, later checks win.
[[nodiscard]] int channel_rule(const DeviceProgram& p, int channel);

// The two thresholds: 0, 5 or 6 (a zero threshold wins over the order).
[[nodiscard]] int threshold_rule(const DeviceProgram& p);

struct OpticsCodes {
    std::array<int, kChannels + 1> channel{}; // [1..5]; index 0 unused
    int lux = 0;
    bool operator==(const OpticsCodes&) const = default;
};

// All six rules, channels 1 to 5 and then the thresholds.
[[nodiscard]] OpticsCodes run_optics_rules(const DeviceProgram& p);

// True when every code is 0.
[[nodiscard]] bool optics_sound(const OpticsCodes& codes);

// Channels 4 and 5 belong to the indicator, 1..3 to the module.
[[nodiscard]] constexpr bool is_indicator_channel(int channel)
{
    return channel >= 4;
}

enum class FaultIcon { Exclamation, Error };

struct FaultExplanation {
    std::string_view text; // UTF-8; empty for code 0 or an unknown code
    FaultIcon icon = FaultIcon::Exclamation;
};

// The message shown for a code (title "Ошибка!"). For codes 1..4 the text
// depends on whether the channel is an indicator channel; 5 and 6 ignore it.
[[nodiscard]] FaultExplanation explain_optics_code(int code, bool indicator);

// Title of the box that explains a fault.
inline constexpr std::string_view kFaultTitle = "Ошибка!";

} // namespace zuzo
