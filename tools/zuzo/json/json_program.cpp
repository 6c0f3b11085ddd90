#include "tools/zuzo/json/json_program.h"

#include "program/core/shown_text.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>

namespace zuzo {
namespace {

using json::Value;

constexpr std::array<std::string_view, kChannels> kChannelKeys = {
    "module_red", "module_green", "module_yellow", "indicator_red", "indicator_green"};

struct BrightnessKey {
    std::string_view key;
    EditMode set;
};

constexpr std::array<BrightnessKey, 3> kBrightnessKeys = {{{"sensor_off_brightness", EditMode::SensorOff},
                                                           {"evening_brightness", EditMode::Evening},
                                                           {"day_brightness", EditMode::Day}}};

struct IntKey {
    std::string_view key;
    std::int32_t DeviceProgram::*field;
};

constexpr std::array<IntKey, 5> kOpticsIntKeys = {
    {{"module_min_brightness", &DeviceProgram::module_min_brightness},
     {"indicator_min_brightness", &DeviceProgram::indicator_min_brightness},
     {"optical_sensor_on", &DeviceProgram::optical_sensor_on},
     {"evening_lux_threshold", &DeviceProgram::evening_lux_threshold},
     {"day_lux_threshold", &DeviceProgram::day_lux_threshold}}};

struct TextKey {
    std::string_view key;
    std::string DeviceProgram::*field;
};

constexpr std::array<TextKey, 3> kTextKeys = {{{"weekday_name", &DeviceProgram::weekday_name},
                                               {"sound_type", &DeviceProgram::sound_type},
                                               {"fast_pulse_time", &DeviceProgram::fast_pulse_time}}};

struct PlanKey {
    std::string_view key;
    PlanTable DeviceProgram::*table;
};

constexpr std::array<PlanKey, 4> kPlanKeys = {{{"enabled", &DeviceProgram::plan_enabled},
                                               {"hour", &DeviceProgram::plan_hour},
                                               {"minute", &DeviceProgram::plan_minute},
                                               {"volume", &DeviceProgram::plan_volume}}};

constexpr std::string_view kPlanKey = "plan";
constexpr std::string_view kSoundOffKey = "sound_off";

Value brightness_to_json(const BrightnessSet& set)
{
    Value v = Value::object();
    for (int c = 1; c <= kChannels; ++c)
        v[std::string(kChannelKeys[static_cast<std::size_t>(c - 1)])] = set.channel(c);
    return v;
}

void put_optics(Value& v, const DeviceProgram& p)
{
    for (const BrightnessKey& b : kBrightnessKeys)
        v[std::string(b.key)] = brightness_to_json(*brightness_set(p, b.set));
    for (const IntKey& k : kOpticsIntKeys)
        v[std::string(k.key)] = p.*k.field;
}

// Reading keeps the first problem found.
class Reader {
public:
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

    void fail(std::string_view where, std::string_view what)
    {
        if (error_.empty())
            error_ = std::string(where) + ": " + std::string(what);
    }

    void int32(const Value& v, std::string_view where, std::int32_t& out)
    {
        // A whole number beyond 64 bits reaches here as a fraction.
        const bool whole_fraction = v.is_number_float() && std::isfinite(v.get<double>()) &&
                                    std::floor(v.get<double>()) == v.get<double>();
        if (whole_fraction && std::fabs(v.get<double>()) > 2147483648.0) {
            fail(where, "вне диапазона 32-битного целого");
            return;
        }
        if (!v.is_number_integer()) {
            fail(where, "должно быть целым числом");
            return;
        }
        constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
        const bool fits = v.is_number_unsigned()
                              ? v.get<std::uint64_t>() <= kMax
                              : v.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                                    v.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (!fits) {
            fail(where, "вне диапазона 32-битного целого");
            return;
        }
        out = static_cast<std::int32_t>(v.get<std::int64_t>());
    }

    void text(const Value& v, std::string_view where, std::string& out)
    {
        if (!v.is_string()) {
            fail(where, "должно быть текстом в двойных кавычках");
            return;
        }
        out = v.get_ref<const std::string&>();
    }

    void brightness(const Value& v, std::string_view where, BrightnessSet& out)
    {
        if (!v.is_object()) {
            fail(where, "должно быть объектом с ключами module_red .. indicator_green");
            return;
        }
        for (const auto& member : v.items()) {
            const std::string path = std::string(where) + "." + member.key();
            int channel = 0;
            for (std::size_t c = 0; c < kChannelKeys.size(); ++c) {
                if (kChannelKeys[c] == member.key())
                    channel = static_cast<int>(c) + 1;
            }
            if (channel == 0)
                fail(std::string(where) + "." + shown_text(member.key()), "неизвестный ключ");
            else
                int32(member.value(), path, out.channel(channel));
        }
    }

    void table(const Value& v, std::string_view where, PlanTable& out)
    {
        if (!v.is_array() || v.size() != kDays) {
            fail(where, "должно быть 7 массивами (с понедельника) по 12 целых чисел");
            return;
        }
        for (int d = 1; d <= kDays; ++d) {
            const Value& day = v[static_cast<std::size_t>(d - 1)];
            const std::string day_path = std::string(where) + "[" + std::to_string(d - 1) + "]";
            if (!day.is_array() || day.size() != kIntervals) {
                fail(day_path, "должно быть массивом из 12 целых чисел");
                return;
            }
            for (int i = 1; i <= kIntervals; ++i)
                int32(day[static_cast<std::size_t>(i - 1)], day_path + "[" + std::to_string(i - 1) + "]",
                      out[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)]);
        }
    }

    void plan(const Value& v, DeviceProgram& p)
    {
        if (!v.is_object()) {
            fail(kPlanKey, "должно быть объектом с ключами enabled, hour, minute и volume");
            return;
        }
        for (const auto& member : v.items()) {
            const std::string path = std::string(kPlanKey) + "." + member.key();
            bool known = false;
            for (const PlanKey& t : kPlanKeys) {
                if (t.key == member.key()) {
                    known = true;
                    table(member.value(), path, p.*t.table);
                }
            }
            if (!known)
                fail(std::string(kPlanKey) + "." + shown_text(member.key()), "неизвестный ключ");
        }
    }

    // One member; returns false when the key is not an optics key.
    bool optics_member(std::string_view key, const Value& v, DeviceProgram& p)
    {
        for (const BrightnessKey& b : kBrightnessKeys) {
            if (b.key == key) {
                brightness(v, key, *brightness_set(p, b.set));
                return true;
            }
        }
        for (const IntKey& k : kOpticsIntKeys) {
            if (k.key == key) {
                int32(v, key, p.*k.field);
                return true;
            }
        }
        return false;
    }

    // One member; returns false when the key is no program key or not an optics one.
    bool other_member(std::string_view key, const Value& v, DeviceProgram& p, bool take)
    {
        for (const TextKey& t : kTextKeys) {
            if (t.key == key) {
                if (take)
                    text(v, key, p.*t.field);
                return true;
            }
        }
        if (key == kPlanKey) {
            if (take)
                plan(v, p);
            return true;
        }
        if (key == kSoundOffKey) {
            if (take)
                int32(v, key, p.sound_off);
            return true;
        }
        return false;
    }

private:
    std::string error_;
};

JsonProgramResult read_members(const Value& object, DeviceProgram& out, bool whole_program)
{
    if (!object.is_object())
        return {JsonProgramStatus::Invalid, "программа должна быть объектом JSON"};
    DeviceProgram p = out;
    Reader in;
    for (const auto& member : object.items()) {
        if (in.failed())
            break;
        const std::string& key = member.key();
        if (!in.optics_member(key, member.value(), p) &&
            !in.other_member(key, member.value(), p, whole_program))
            in.fail(shown_text(key), "неизвестный ключ");
    }
    if (in.failed())
        return {JsonProgramStatus::Invalid, in.error()};
    out = p;
    return {};
}

} // namespace

Value program_to_json(const DeviceProgram& p)
{
    Value v = Value::object();
    v["weekday_name"] = p.weekday_name;
    Value plan = Value::object();
    for (const PlanKey& t : kPlanKeys) {
        Value days = Value::array();
        const PlanTable& table = p.*t.table;
        for (int d = 1; d <= kDays; ++d) {
            Value day = Value::array();
            for (int i = 1; i <= kIntervals; ++i)
                day.push_back(table[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)]);
            days.push_back(std::move(day));
        }
        plan[std::string(t.key)] = std::move(days);
    }
    v[std::string(kPlanKey)] = std::move(plan);
    v["sound_type"] = p.sound_type;
    v["fast_pulse_time"] = p.fast_pulse_time;
    v[std::string(kSoundOffKey)] = p.sound_off;
    put_optics(v, p);
    return v;
}

Value optics_to_json(const DeviceProgram& p)
{
    Value v = Value::object();
    put_optics(v, p);
    return v;
}

std::string json_field_name(const PtmFieldFault& fault)
{
    switch (fault.field) {
    case PtmField::WeekdayName:
        return "weekday_name";
    case PtmField::SoundType:
        return "sound_type";
    case PtmField::FastPulseTime:
        return "fast_pulse_time";
    case PtmField::SoundOff:
        return std::string(kSoundOffKey);
    case PtmField::PlanEnabled:
    case PtmField::PlanHour:
    case PtmField::PlanMinute:
    case PtmField::PlanVolume:
        break;
    }
    const auto table =
        static_cast<std::size_t>(fault.field) - static_cast<std::size_t>(PtmField::PlanEnabled);
    return std::string(kPlanKey) + "." + std::string(kPlanKeys[table].key) + "[" +
           std::to_string(fault.day - 1) + "][" + std::to_string(fault.interval - 1) + "]";
}

JsonProgramResult program_from_json(const Value& object, DeviceProgram& out)
{
    return read_members(object, out, true);
}

JsonProgramResult optics_from_json(const Value& object, DeviceProgram& out)
{
    return read_members(object, out, false);
}

} // namespace zuzo
