#include "program/core/optics_rules.h"

namespace zuzo {

int channel_rule(const DeviceProgram& p, int channel)
{
    const std::int32_t m =
        is_indicator_channel(channel) ? p.indicator_min_brightness : p.module_min_brightness;
    const std::int32_t o = p.sensor_off_brightness.channel(channel);
    const std::int32_t e = p.evening_brightness.channel(channel);
    const std::int32_t d = p.day_brightness.channel(channel);
    int code = OPTICS_OK;
    if (e > d)
        code = OPTICS_EVENING_ABOVE_DAY;
    if (d < m)
        code = OPTICS_DAY_BELOW_MIN;
    if (e < m)
        code = OPTICS_EVENING_BELOW_MIN;
    if (o < m)
        code = OPTICS_SENSOR_OFF_BELOW_MIN;
    return code;
}

int threshold_rule(const DeviceProgram& p)
{
    const std::int32_t evening = p.evening_lux_threshold;
    const std::int32_t day = p.day_lux_threshold;
    int code = OPTICS_OK;
    if (evening >= day)
        code = OPTICS_LUX_ORDER;
    if (evening == 0 || day == 0)
        code = OPTICS_LUX_ZERO;
    return code;
}

OpticsCodes run_optics_rules(const DeviceProgram& p)
{
    OpticsCodes codes;
    for (int c = 1; c <= kChannels; ++c)
        codes.channel[static_cast<std::size_t>(c)] = channel_rule(p, c);
    codes.lux = threshold_rule(p);
    return codes;
}

bool optics_sound(const OpticsCodes& codes)
{
    int sum = codes.lux;
    for (int c = 1; c <= kChannels; ++c)
        sum += codes.channel[static_cast<std::size_t>(c)];
    return sum == 0;
}

FaultExplanation explain_optics_code(int code, bool indicator)
{
    switch (code) {
    case OPTICS_EVENING_ABOVE_DAY:
        return {indicator
                    ? "Яркость индикатора, для вечернего времени\nбольше яркости чем для дневного времени"
                    : "Яркость модуля, для вечернего времени\nбольше яркости чем для дневного времени",
                FaultIcon::Exclamation};
    case OPTICS_DAY_BELOW_MIN:
        return {indicator ? "Яркость индикатора, для дневного времени\nменьше минимально допустимой яркости"
                          : "Яркость модуля, для дневного времени\nменьше минимально допустимой яркости",
                FaultIcon::Error};
    case OPTICS_EVENING_BELOW_MIN:
        return {indicator ? "Яркость индикатора, для вечернего времени\nменьше минимально допустимой яркости"
                          : "Яркость модуля, для вечернего времени\nменьше минимально допустимой яркости",
                FaultIcon::Error};
    case OPTICS_SENSOR_OFF_BELOW_MIN:
        return {indicator ? "Яркость индикатора, с выкл. датчиком\nменьше минимально допустимой яркости"
                          : "Яркость модуля, с выкл. датчиком\nменьше минимально допустимой яркости",
                FaultIcon::Error};
    case OPTICS_LUX_ORDER:
        return {"Освещенность в вечернее время \nбольше или равно, чем в дневное", FaultIcon::Exclamation};
    case OPTICS_LUX_ZERO:
        return {"Задано нулевое значение", FaultIcon::Exclamation};
    default:
        break;
    }
    return {};
}

} // namespace zuzo
