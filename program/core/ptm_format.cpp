#include "program/core/ptm_format.h"

#include "program/core/cp1251.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace zuzo {
namespace {

constexpr std::uint8_t kCR = 0x0D;
constexpr std::uint8_t kLF = 0x0A;

// The optics block in file order: which set (nullptr for the plain fields)
// and which channel, or which plain field.
enum class OpticsSlot { Brightness, SensorOn, EveningLux, DayLux, ModuleMin, IndicatorMin };

struct OpticsEntry {
    OpticsSlot slot;
    EditMode set; // for Brightness
    int channel;  // for Brightness
};

constexpr std::array<OpticsEntry, 20> kOpticsOrder = {{
    {OpticsSlot::Brightness, EditMode::SensorOff, 1}, {OpticsSlot::Brightness, EditMode::SensorOff, 2},
    {OpticsSlot::Brightness, EditMode::SensorOff, 4}, {OpticsSlot::Brightness, EditMode::SensorOff, 5},
    {OpticsSlot::Brightness, EditMode::Evening, 1},   {OpticsSlot::Brightness, EditMode::Evening, 2},
    {OpticsSlot::Brightness, EditMode::Evening, 4},   {OpticsSlot::Brightness, EditMode::Evening, 5},
    {OpticsSlot::Brightness, EditMode::Day, 1},       {OpticsSlot::Brightness, EditMode::Day, 2},
    {OpticsSlot::Brightness, EditMode::Day, 4},       {OpticsSlot::Brightness, EditMode::Day, 5},
    {OpticsSlot::SensorOn, EditMode::None, 0},        {OpticsSlot::EveningLux, EditMode::None, 0},
    {OpticsSlot::DayLux, EditMode::None, 0},          {OpticsSlot::ModuleMin, EditMode::None, 0},
    {OpticsSlot::IndicatorMin, EditMode::None, 0},    {OpticsSlot::Brightness, EditMode::SensorOff, 3},
    {OpticsSlot::Brightness, EditMode::Evening, 3},   {OpticsSlot::Brightness, EditMode::Day, 3},
}};

std::int32_t& optics_field(DeviceProgram& p, const OpticsEntry& e)
{
    switch (e.slot) {
    case OpticsSlot::SensorOn:
        return p.optical_sensor_on;
    case OpticsSlot::EveningLux:
        return p.evening_lux_threshold;
    case OpticsSlot::DayLux:
        return p.day_lux_threshold;
    case OpticsSlot::ModuleMin:
        return p.module_min_brightness;
    case OpticsSlot::IndicatorMin:
        return p.indicator_min_brightness;
    case OpticsSlot::Brightness:
        break;
    }
    return brightness_set(p, e.set)->channel(e.channel);
}

// The four plan tables in the order of their bytes within one interval.
std::array<PlanTable*, 4> plan_tables(DeviceProgram& p)
{
    return {&p.plan_enabled, &p.plan_hour, &p.plan_minute, &p.plan_volume};
}

void put_line(std::vector<std::uint8_t>& out, std::string_view utf8)
{
    for (const char ch : utf8_to_cp1251(utf8))
        out.push_back(static_cast<std::uint8_t>(ch));
    out.push_back(kCR);
    out.push_back(kLF);
}

void put_int(std::vector<std::uint8_t>& out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

// Sequential reading that never fails: past the end, bytes are 0 and lines empty.
class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t byte()
    {
        if (pos_ >= bytes_.size())
            return 0;
        return bytes_[pos_++];
    }

    // Raw bytes up to CR, LF, CR LF, NUL or the end; the terminator is consumed.
    std::string line()
    {
        std::string text;
        while (pos_ < bytes_.size()) {
            const std::uint8_t b = bytes_[pos_++];
            if (b == kCR) {
                if (pos_ < bytes_.size() && bytes_[pos_] == kLF)
                    ++pos_;
                ended_ = true;
                return text;
            }
            if (b == kLF || b == 0) {
                ended_ = true;
                return text;
            }
            text.push_back(static_cast<char>(b));
        }
        ended_ = false;
        return text;
    }

    // Whether the last line ended with its terminator (not at the end).
    bool line_ended() const { return ended_; }

    std::size_t position() const { return pos_; }

    std::int32_t int32()
    {
        std::uint32_t u = 0;
        for (int shift = 0; shift < 32; shift += 8)
            u |= static_cast<std::uint32_t>(byte()) << shift;
        return static_cast<std::int32_t>(u);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

// The problem of a text written as a line, or empty: CR, LF and NUL end a
// line; any other byte is read back as it was written.
std::string line_problem(std::string_view utf8)
{
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '\r' || b == '\n' || b == '\0') {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", b);
            return std::string("управляющий символ ") + code + " в строке файла программы недопустим";
        }
    }
    const std::string outside = first_char_outside_cp1251(utf8);
    if (!outside.empty())
        return "символ " + outside + " нельзя записать в кодировке Windows-1251";
    return {};
}

} // namespace

std::vector<std::uint8_t> write_ptm(const DeviceProgram& program)
{
    DeviceProgram p = program; // the table helpers hand out mutable pointers
    std::vector<std::uint8_t> out;
    out.reserve(kPtmHeader.size() + 2 + kPtmPlanBlockSize + kPtmOpticsBlockSize + 64);
    put_line(out, kPtmHeader);
    put_line(out, p.weekday_name);
    const std::vector<std::uint8_t> plan = ptm_plan_block(p);
    out.insert(out.end(), plan.begin(), plan.end());
    put_line(out, p.sound_type);
    put_line(out, p.fast_pulse_time);
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(p.sound_off) & 0xFF));
    for (const OpticsEntry& e : kOpticsOrder)
        put_int(out, optics_field(p, e));
    return out;
}

std::optional<PtmFieldFault> ptm_unwritable_field(const DeviceProgram& p)
{
    const std::pair<PtmField, const std::string*> texts[] = {{PtmField::WeekdayName, &p.weekday_name},
                                                             {PtmField::SoundType, &p.sound_type},
                                                             {PtmField::FastPulseTime, &p.fast_pulse_time}};
    for (const auto& [field, text] : texts) {
        std::string problem = line_problem(*text);
        if (!problem.empty())
            return PtmFieldFault{field, 0, 0, std::move(problem)};
    }
    if (p.sound_off != 0 && p.sound_off != 1)
        return PtmFieldFault{PtmField::SoundOff, 0, 0, "должно быть 0 или 1"};
    const std::pair<PtmField, const PlanTable*> tables[] = {{PtmField::PlanEnabled, &p.plan_enabled},
                                                            {PtmField::PlanHour, &p.plan_hour},
                                                            {PtmField::PlanMinute, &p.plan_minute},
                                                            {PtmField::PlanVolume, &p.plan_volume}};
    for (const auto& [field, table] : tables) {
        for (int d = 1; d <= kDays; ++d) {
            for (int i = 1; i <= kIntervals; ++i) {
                const std::int32_t v = (*table)[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)];
                if (v < -128 || v > 127)
                    return PtmFieldFault{field, d, i,
                                         "вне диапазона: файл программы хранит значение плана одним байтом, "
                                         "от -128 до 127"};
            }
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> ptm_plan_block(const DeviceProgram& program)
{
    DeviceProgram p = program; // the table helpers hand out mutable pointers
    std::vector<std::uint8_t> out;
    out.reserve(kPtmPlanBlockSize);
    const auto tables = plan_tables(p);
    for (int d = 1; d <= kDays; ++d) {
        for (int i = 1; i <= kIntervals; ++i) {
            for (const PlanTable* table : tables)
                out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>((*table)[d][i]) & 0xFF));
        }
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> replace_ptm_plan(std::span<const std::uint8_t> bytes,
                                                          const DeviceProgram& program)
{
    Cursor in(bytes);
    if (in.line() != kPtmHeader)
        return std::nullopt;
    const auto header_end = static_cast<std::ptrdiff_t>(in.position());
    std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + header_end);
    if (!in.line_ended())
        out.insert(out.end(), {kCR, kLF});
    (void)in.line(); // the weekday
    const std::size_t start = in.position();
    out.insert(out.end(), bytes.begin() + header_end, bytes.begin() + static_cast<std::ptrdiff_t>(start));
    if (!in.line_ended())
        out.insert(out.end(), {kCR, kLF});
    const std::size_t end = std::min(bytes.size(), start + kPtmPlanBlockSize);
    const std::vector<std::uint8_t> plan = ptm_plan_block(program);
    out.insert(out.end(), plan.begin(), plan.end());
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end());
    return out;
}

std::optional<std::size_t> ptm_optics_offset(std::span<const std::uint8_t> bytes)
{
    Cursor in(bytes);
    if (in.line() != kPtmHeader)
        return std::nullopt;
    (void)in.line(); // the weekday
    for (std::size_t k = 0; k < kPtmPlanBlockSize; ++k)
        (void)in.byte();
    (void)in.line(); // the sound type
    (void)in.line(); // the fast pulse time
    (void)in.byte(); // sound_off
    return in.position();
}

PtmReadResult read_ptm(std::span<const std::uint8_t> bytes, DeviceProgram& out)
{
    Cursor in(bytes);
    if (in.line() != kPtmHeader)
        return PtmReadResult::BadHeader;

    DeviceProgram p = out;
    p.weekday_name = cp1251_to_utf8(in.line());
    const auto tables = plan_tables(p);
    for (int d = 1; d <= kDays; ++d) {
        for (int i = 1; i <= kIntervals; ++i) {
            for (PlanTable* table : tables) {
                // The file keeps each entry as a signed byte (two's complement).
                const int b = in.byte();
                (*table)[d][i] = b < 128 ? b : b - 256;
            }
        }
    }
    p.sound_type = cp1251_to_utf8(in.line());
    p.fast_pulse_time = cp1251_to_utf8(in.line());
    p.sound_off = in.byte() != 0 ? 1 : 0;
    for (const OpticsEntry& e : kOpticsOrder)
        optics_field(p, e) = in.int32();
    out = p;
    return PtmReadResult::Loaded;
}

} // namespace zuzo
