#include "tools/zuzo/json_program.h"

#include <array>
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
        v.set(std::string(kChannelKeys[static_cast<std::size_t>(c - 1)]), Value::from_int(set.channel(c)));
    return v;
}

void put_optics(Value& v, const DeviceProgram& p)
{
    for (const BrightnessKey& b : kBrightnessKeys)
        v.set(std::string(b.key), brightness_to_json(*brightness_set(p, b.set)));
    for (const IntKey& k : kOpticsIntKeys)
        v.set(std::string(k.key), Value::from_int(p.*k.field));
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
        const auto n = v.as_int();
        if (!n) {
            fail(where, "must be an integer");
            return;
        }
        if (*n < std::numeric_limits<std::int32_t>::min() || *n > std::numeric_limits<std::int32_t>::max()) {
            fail(where, "is outside the 32-bit integer range");
            return;
        }
        out = static_cast<std::int32_t>(*n);
    }

    void text(const Value& v, std::string_view where, std::string& out)
    {
        if (v.kind != Value::Kind::String) {
            fail(where, "must be a text in double quotes");
            return;
        }
        out = v.text;
    }

    void brightness(const Value& v, std::string_view where, BrightnessSet& out)
    {
        if (v.kind != Value::Kind::Object) {
            fail(where, "must be an object keyed module_red .. indicator_green");
            return;
        }
        for (std::size_t k = 0; k < v.keys.size(); ++k) {
            const std::string path = std::string(where) + "." + v.keys[k];
            int channel = 0;
            for (std::size_t c = 0; c < kChannelKeys.size(); ++c) {
                if (kChannelKeys[c] == v.keys[k])
                    channel = static_cast<int>(c) + 1;
            }
            if (channel == 0)
                fail(path, "unknown key");
            else
                int32(v.items[k], path, out.channel(channel));
        }
    }

    void table(const Value& v, std::string_view where, PlanTable& out)
    {
        if (v.kind != Value::Kind::Array || v.items.size() != kDays) {
            fail(where, "must be 7 arrays (Monday first) of 12 integers");
            return;
        }
        for (int d = 1; d <= kDays; ++d) {
            const Value& day = v.items[static_cast<std::size_t>(d - 1)];
            const std::string day_path = std::string(where) + "[" + std::to_string(d - 1) + "]";
            if (day.kind != Value::Kind::Array || day.items.size() != kIntervals) {
                fail(day_path, "must be an array of 12 integers");
                return;
            }
            for (int i = 1; i <= kIntervals; ++i)
                int32(day.items[static_cast<std::size_t>(i - 1)],
                      day_path + "[" + std::to_string(i - 1) + "]",
                      out[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)]);
        }
    }

    void plan(const Value& v, DeviceProgram& p)
    {
        if (v.kind != Value::Kind::Object) {
            fail(kPlanKey, "must be an object with enabled, hour, minute and volume");
            return;
        }
        for (std::size_t k = 0; k < v.keys.size(); ++k) {
            const std::string path = std::string(kPlanKey) + "." + v.keys[k];
            bool known = false;
            for (const PlanKey& t : kPlanKeys) {
                if (t.key == v.keys[k]) {
                    known = true;
                    table(v.items[k], path, p.*t.table);
                }
            }
            if (!known)
                fail(path, "unknown key");
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
    if (object.kind != Value::Kind::Object)
        return {JsonProgramStatus::Invalid, "the program must be a JSON object"};
    DeviceProgram p = out;
    Reader in;
    for (std::size_t k = 0; k < object.keys.size() && !in.failed(); ++k) {
        const std::string& key = object.keys[k];
        if (!in.optics_member(key, object.items[k], p) &&
            !in.other_member(key, object.items[k], p, whole_program))
            in.fail(key, "unknown key");
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
    v.set("weekday_name", Value::from_string(p.weekday_name));
    Value plan = Value::object();
    for (const PlanKey& t : kPlanKeys) {
        Value days = Value::array();
        const PlanTable& table = p.*t.table;
        for (int d = 1; d <= kDays; ++d) {
            Value day = Value::array();
            for (int i = 1; i <= kIntervals; ++i)
                day.push(Value::from_int(table[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)]));
            days.push(std::move(day));
        }
        plan.set(std::string(t.key), std::move(days));
    }
    v.set(std::string(kPlanKey), std::move(plan));
    v.set("sound_type", Value::from_string(p.sound_type));
    v.set("fast_pulse_time", Value::from_string(p.fast_pulse_time));
    v.set(std::string(kSoundOffKey), Value::from_int(p.sound_off));
    put_optics(v, p);
    return v;
}

Value optics_to_json(const DeviceProgram& p)
{
    Value v = Value::object();
    put_optics(v, p);
    return v;
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
