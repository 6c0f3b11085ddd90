#include "tools/zuzo/json/json_program.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zuzo::DeviceProgram;
using zuzo::JsonProgramStatus;

DeviceProgram sample()
{
    DeviceProgram p;
    for (int d = 1; d <= zuzo::kDays; ++d) {
        for (int i = 1; i <= zuzo::kIntervals; ++i) {
            p.plan_enabled[d][i] = (d * i) % 2;
            p.plan_hour[d][i] = (d + i) % 24;
            p.plan_minute[d][i] = (d * 7 + i) % 60;
            p.plan_volume[d][i] = d * 10 + i;
        }
    }
    p.weekday_name = "Четверг";
    p.sound_type = "";
    p.fast_pulse_time = "15";
    p.sound_off = 1;
    p.sensor_off_brightness = {1, 2, 3, 4, 5};
    p.evening_brightness = {6, 7, 8, 9, 10};
    p.day_brightness = {11, 12, 13, 14, 15};
    p.module_min_brightness = -1;
    p.indicator_min_brightness = 2147483647;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 100;
    p.day_lux_threshold = 9000;
    return p;
}

std::vector<std::string> keys_of(const zuzo::json::Value& object)
{
    std::vector<std::string> keys;
    for (const auto& member : object.items())
        keys.push_back(member.key());
    return keys;
}

zuzo::json::Value parsed(const std::string& text)
{
    auto r = zuzo::json::parse(text);
    EXPECT_EQ(r.status, zuzo::json::ParseStatus::Ok) << r.error;
    return r.value;
}

TEST(JsonProgram, RoundTripThroughText)
{
    const DeviceProgram original = sample();
    const std::string text = zuzo::json::write(zuzo::program_to_json(original));
    DeviceProgram back;
    const auto r = zuzo::program_from_json(parsed(text), back);
    ASSERT_EQ(r.status, JsonProgramStatus::Ok) << r.error;
    EXPECT_EQ(back, original);
}

TEST(JsonProgram, KeysAreTheFieldNamesInOrder)
{
    const auto v = zuzo::program_to_json(DeviceProgram{});
    const std::vector<std::string> expected = {"weekday_name",
                                               "plan",
                                               "sound_type",
                                               "fast_pulse_time",
                                               "sound_off",
                                               "sensor_off_brightness",
                                               "evening_brightness",
                                               "day_brightness",
                                               "module_min_brightness",
                                               "indicator_min_brightness",
                                               "optical_sensor_on",
                                               "evening_lux_threshold",
                                               "day_lux_threshold"};
    EXPECT_EQ(keys_of(v), expected);
    EXPECT_EQ(keys_of(v.at("plan")), (std::vector<std::string>{"enabled", "hour", "minute", "volume"}));
    EXPECT_EQ(keys_of(v.at("day_brightness")),
              (std::vector<std::string>{"module_red", "module_green", "module_yellow", "indicator_red",
                                        "indicator_green"}));
}

TEST(JsonProgram, PlanIsMondayFirst)
{
    DeviceProgram p;
    p.plan_volume[1][1] = 42;
    p.plan_volume[7][12] = 77;
    const auto v = zuzo::program_to_json(p);
    const auto& volume = v.at("plan").at("volume");
    ASSERT_EQ(volume.size(), 7u);
    ASSERT_EQ(volume[0].size(), 12u);
    EXPECT_EQ(volume[0][0], 42);
    EXPECT_EQ(volume[6][11], 77);
}

TEST(JsonProgram, MissingKeysKeepTheirValues)
{
    DeviceProgram p = sample();
    const auto r = zuzo::program_from_json(
        parsed(R"({"day_lux_threshold": 3000, "day_brightness": {"module_yellow": 99}})"), p);
    ASSERT_EQ(r.status, JsonProgramStatus::Ok) << r.error;
    DeviceProgram expected = sample();
    expected.day_lux_threshold = 3000;
    expected.day_brightness.module_yellow = 99;
    EXPECT_EQ(p, expected);
}

struct Refused {
    const char* name;
    const char* json;
    const char* where;
};

class RefusedProgram : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedProgram, LeavesTheProgramUntouched)
{
    DeviceProgram p = sample();
    const auto r = zuzo::program_from_json(parsed(GetParam().json), p);
    EXPECT_EQ(r.status, JsonProgramStatus::Invalid);
    EXPECT_EQ(r.error.rfind(GetParam().where, 0), 0u) << r.error;
    EXPECT_EQ(p, sample());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedProgram,
    ::testing::Values(
        Refused{"not_object", "[1]", "программа"},
        Refused{"unknown_key", R"({"weekday": "x"})", "«weekday»: неизвестный ключ"},
        Refused{"text_as_number", R"({"weekday_name": 3})", "weekday_name"},
        Refused{"number_as_text", R"({"sound_off": "1"})", "sound_off"},
        Refused{"fraction", R"({"module_min_brightness": 1.5})", "module_min_brightness"},
        Refused{"too_big", R"({"day_lux_threshold": 2147483648})", "day_lux_threshold"},
        Refused{"too_small", R"({"day_lux_threshold": -2147483649})", "day_lux_threshold"},
        Refused{"unknown_channel", R"({"day_brightness": {"module_blue": 1}})",
                "day_brightness.«module_blue»"},
        Refused{"set_not_object", R"({"evening_brightness": 5})", "evening_brightness"},
        Refused{"plan_not_object", R"({"plan": []})", "plan"},
        Refused{"plan_unknown", R"({"plan": {"volumes": []}})", "plan.«volumes»"},
        Refused{"plan_six_days", R"({"plan": {"hour": [[],[],[],[],[],[]]}})", "plan.hour"},
        Refused{"plan_short_day", R"({"plan": {"hour": [[0,0,0,0,0,0,0,0,0,0,0,0],[],[],[],[],[],[]]}})",
                "plan.hour[1]"},
        Refused{"plan_bad_value", R"({"plan": {"minute": [[0,0,0,0,0,0,0,0,0,0,0,"x"],[],[],[],[],[],[]]}})",
                "plan.minute[0][11]"},
        Refused{"later_bad_key_after_good", R"({"day_lux_threshold": 1, "bogus": 2})", "«bogus»"}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

TEST(JsonOptics, HoldsOnlyTheOpticsFields)
{
    const auto v = zuzo::optics_to_json(sample());
    EXPECT_FALSE(v.contains("plan"));
    EXPECT_FALSE(v.contains("weekday_name"));
    EXPECT_EQ(v.size(), 8u);
    DeviceProgram p;
    ASSERT_EQ(zuzo::optics_from_json(parsed(zuzo::json::write(v)), p).status, JsonProgramStatus::Ok);
    DeviceProgram expected = sample();
    EXPECT_EQ(p.sensor_off_brightness, expected.sensor_off_brightness);
    EXPECT_EQ(p.evening_brightness, expected.evening_brightness);
    EXPECT_EQ(p.day_brightness, expected.day_brightness);
    EXPECT_EQ(p.module_min_brightness, expected.module_min_brightness);
    EXPECT_EQ(p.indicator_min_brightness, expected.indicator_min_brightness);
    EXPECT_EQ(p.optical_sensor_on, expected.optical_sensor_on);
    EXPECT_EQ(p.evening_lux_threshold, expected.evening_lux_threshold);
    EXPECT_EQ(p.day_lux_threshold, expected.day_lux_threshold);
}

TEST(JsonOptics, IgnoresTheOtherProgramFields)
{
    DeviceProgram p;
    const auto r = zuzo::optics_from_json(zuzo::program_to_json(sample()), p);
    ASSERT_EQ(r.status, JsonProgramStatus::Ok) << r.error;
    EXPECT_EQ(p.weekday_name, DeviceProgram{}.weekday_name);
    EXPECT_EQ(p.plan_volume, DeviceProgram{}.plan_volume);
    EXPECT_EQ(p.sound_off, 0);
    EXPECT_EQ(p.day_brightness, sample().day_brightness);
}

TEST(JsonOptics, RefusesUnknownKeys)
{
    DeviceProgram p;
    const auto r = zuzo::optics_from_json(parsed(R"({"evening_lux": 5})"), p);
    EXPECT_EQ(r.status, JsonProgramStatus::Invalid);
    EXPECT_EQ(p, DeviceProgram{});
}

} // namespace
