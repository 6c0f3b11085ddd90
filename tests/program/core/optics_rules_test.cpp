#include "program/core/optics_range.h"
#include "program/core/optics_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

using zuzo::DeviceProgram;

struct ChannelCase {
    const char* name;
    int off, evening, day, min;
    int code;
};

class ChannelRule : public ::testing::TestWithParam<ChannelCase> {};

// Applies the case to channel c and checks that channel alone.
TEST_P(ChannelRule, GivesTheCodeOnEveryChannel)
{
    const ChannelCase& k = GetParam();
    for (int c = 1; c <= zuzo::kChannels; ++c) {
        DeviceProgram p;
        p.sensor_off_brightness.channel(c) = k.off;
        p.evening_brightness.channel(c) = k.evening;
        p.day_brightness.channel(c) = k.day;
        if (zuzo::is_indicator_channel(c))
            p.indicator_min_brightness = k.min;
        else
            p.module_min_brightness = k.min;
        EXPECT_EQ(zuzo::channel_rule(p, c), k.code) << k.name << " channel " << c;
        const auto codes = zuzo::run_optics_rules(p);
        EXPECT_EQ(codes.channel[static_cast<std::size_t>(c)], k.code) << k.name << " channel " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelRule,
                         ::testing::Values(ChannelCase{"defaults", 100, 50, 100, 50, 0},
                                           ChannelCase{"evening_equals_day", 80, 70, 70, 50, 0},
                                           ChannelCase{"all_equal_minimum", 50, 50, 50, 50, 0},
                                           ChannelCase{"evening_above_day", 100, 90, 80, 50, 1},
                                           ChannelCase{"day_below_min", 100, 40, 45, 50,
                                                       3}, // evening 40 < min too: 3 wins
                                           ChannelCase{"low_values_above_a_low_min", 100, 30, 45, 20, 0},
                                           ChannelCase{"day_below_min_evening_ok", 100, 60, 45, 50, 2},
                                           ChannelCase{"evening_below_min", 100, 40, 100, 50, 3},
                                           ChannelCase{"sensor_off_below_min", 49, 50, 100, 50, 4},
                                           ChannelCase{"four_beats_one", 10, 90, 80, 50, 4},
                                           ChannelCase{"four_beats_three", 10, 10, 100, 50, 4},
                                           ChannelCase{"three_beats_two", 100, 10, 20, 50, 3},
                                           ChannelCase{"two_beats_one", 100, 60, 40, 50, 2},
                                           ChannelCase{"negative_off", -1, 50, 100, 0, 4},
                                           ChannelCase{"negative_min_everything_passes", 0, 0, 0, -5, 0},
                                           ChannelCase{"extreme_values", INT_MIN, INT_MAX, INT_MAX, 0, 4},
                                           ChannelCase{"above_hundred_is_fine", 150, 150, 150, 50, 0}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST(ChannelRule, MinimumOfItsOwnGroupOnly)
{
    DeviceProgram p;
    p.module_min_brightness = 60; // the evening values 50 are now too low
    const auto codes = zuzo::run_optics_rules(p);
    EXPECT_EQ(codes.channel[1], 3);
    EXPECT_EQ(codes.channel[2], 3);
    EXPECT_EQ(codes.channel[3], 3);
    EXPECT_EQ(codes.channel[4], 0);
    EXPECT_EQ(codes.channel[5], 0);

    DeviceProgram q;
    q.indicator_min_brightness = 60;
    const auto other = zuzo::run_optics_rules(q);
    EXPECT_EQ(other.channel[1], 0);
    EXPECT_EQ(other.channel[4], 3);
    EXPECT_EQ(other.channel[5], 3);
}

struct LuxCase {
    int evening, day, code;
};

class ThresholdRule : public ::testing::TestWithParam<LuxCase> {};

TEST_P(ThresholdRule, GivesTheCode)
{
    DeviceProgram p;
    p.evening_lux_threshold = GetParam().evening;
    p.day_lux_threshold = GetParam().day;
    EXPECT_EQ(zuzo::threshold_rule(p), GetParam().code) << GetParam().evening << " / " << GetParam().day;
    EXPECT_EQ(zuzo::run_optics_rules(p).lux, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThresholdRule,
                         ::testing::Values(LuxCase{200, 2000, 0}, LuxCase{1999, 2000, 0},
                                           LuxCase{500, 500, 5}, LuxCase{3000, 2000, 5}, LuxCase{0, 2000, 6},
                                           LuxCase{200, 0, 6}, LuxCase{0, 0, 6}, LuxCase{-5, 10, 0},
                                           LuxCase{10, -5, 5}, LuxCase{12000, 12000, 5}));

TEST(OpticsRules, DefaultsAreSound)
{
    const DeviceProgram p;
    const auto codes = zuzo::run_optics_rules(p);
    EXPECT_TRUE(zuzo::optics_sound(codes));
    EXPECT_EQ(codes, zuzo::OpticsCodes{});
}

TEST(OpticsRules, AnyNonZeroCodeIsNotSound)
{
    for (std::size_t c = 1; c <= 5; ++c) {
        zuzo::OpticsCodes codes;
        codes.channel[c] = 1;
        EXPECT_FALSE(zuzo::optics_sound(codes)) << c;
    }
    zuzo::OpticsCodes lux;
    lux.lux = 6;
    EXPECT_FALSE(zuzo::optics_sound(lux));
}

struct TextCase {
    int code;
    bool indicator;
    const char* text;
    zuzo::FaultIcon icon;
};

class Explanation : public ::testing::TestWithParam<TextCase> {};

TEST_P(Explanation, TextAndIcon)
{
    const TextCase& k = GetParam();
    const auto e = zuzo::explain_optics_code(k.code, k.indicator);
    EXPECT_EQ(e.text, k.text);
    EXPECT_EQ(e.icon, k.icon);
}

using zuzo::FaultIcon;
INSTANTIATE_TEST_SUITE_P(
    Codes, Explanation,
    ::testing::Values(
        TextCase{1, false, "Яркость модуля, для вечернего времени\nбольше яркости чем для дневного времени",
                 FaultIcon::Exclamation},
        TextCase{1, true,
                 "Яркость индикатора, для вечернего времени\nбольше яркости чем для дневного времени",
                 FaultIcon::Exclamation},
        TextCase{2, false, "Яркость модуля, для дневного времени\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{2, true, "Яркость индикатора, для дневного времени\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{3, false, "Яркость модуля, для вечернего времени\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{3, true, "Яркость индикатора, для вечернего времени\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{4, false, "Яркость модуля, с выкл. датчиком\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{4, true, "Яркость индикатора, с выкл. датчиком\nменьше минимально допустимой яркости",
                 FaultIcon::Error},
        TextCase{5, false, "Освещенность в вечернее время \nбольше или равно, чем в дневное",
                 FaultIcon::Exclamation},
        TextCase{5, true, "Освещенность в вечернее время \nбольше или равно, чем в дневное",
                 FaultIcon::Exclamation},
        TextCase{6, false, "Задано нулевое значение", FaultIcon::Exclamation},
        TextCase{0, false, "", FaultIcon::Exclamation}, TextCase{7, true, "", FaultIcon::Exclamation}));

TEST(Explanation, ChannelGroups)
{
    EXPECT_FALSE(zuzo::is_indicator_channel(1));
    EXPECT_FALSE(zuzo::is_indicator_channel(3));
    EXPECT_TRUE(zuzo::is_indicator_channel(4));
    EXPECT_TRUE(zuzo::is_indicator_channel(5));
}

} // namespace

// Every optics value is judged against what the device holds, under its own
// name: a value told under another field's name sends the user to the
// wrong place.
TEST(OpticsRange, EveryValueOutsideIsNamedWithItsValue)
{
    zuzo::DeviceProgram p;
    p.sensor_off_brightness = {101, 102, 103, 104, 105};
    p.evening_brightness = {-1, -2, -3, -4, -5};
    p.day_brightness = {201, 202, 203, 204, 205};
    p.optical_sensor_on = 2;
    p.module_min_brightness = 300;
    p.indicator_min_brightness = -300;
    p.evening_lux_threshold = -7;
    p.day_lux_threshold = 65536;
    const std::vector<std::pair<std::string, int>> expected = {
        {"sensor_off_brightness.module_red", 101},
        {"sensor_off_brightness.module_green", 102},
        {"sensor_off_brightness.module_yellow", 103},
        {"sensor_off_brightness.indicator_red", 104},
        {"sensor_off_brightness.indicator_green", 105},
        {"evening_brightness.module_red", -1},
        {"day_brightness.module_red", 201},
        {"evening_brightness.module_green", -2},
        {"day_brightness.module_green", 202},
        {"evening_brightness.module_yellow", -3},
        {"day_brightness.module_yellow", 203},
        {"evening_brightness.indicator_red", -4},
        {"day_brightness.indicator_red", 204},
        {"evening_brightness.indicator_green", -5},
        {"day_brightness.indicator_green", 205},
        {"optical_sensor_on", 2},
        {"module_min_brightness", 300},
        {"indicator_min_brightness", -300},
        {"evening_lux_threshold", -7},
        {"day_lux_threshold", 65536},
    };
    std::vector<std::pair<std::string, int>> got;
    for (const zuzo::OpticsValue& v : zuzo::inexact_optics_values(p))
        got.emplace_back(v.name, v.value);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(
        zuzo::first_inexact_optics_value(p),
        "sensor_off_brightness.module_red: 101 % вне диапазона 0..100 %: устройство хранит яркость одним "
        "байтом");
}
