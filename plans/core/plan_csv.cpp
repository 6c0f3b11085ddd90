#include "plans/core/plan_csv.h"

#include "program/core/cp1251.h"
#include "program/core/shown_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace zuzo {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "День недели;Интервал;Включен;Время;Громкость (%)";
constexpr std::size_t kColumns = 5;
constexpr int kVolumeLowest = -128; // what one byte of the program file holds,
constexpr int kVolumeHighest = 127; // read back signed

constexpr std::array<const char*, kDays> kShortNames = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

std::string two_digits(std::int32_t v)
{
    std::string s = std::to_string(v);
    return v >= 0 && v < 10 ? "0" + s : s;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// One row's fields: separated by sep, a field in double quotes may hold the
// separator and "" for a quote; blanks around a field are dropped.
std::vector<std::string> split_row(std::string_view row, char sep)
{
    std::vector<std::string> fields;
    std::size_t k = 0;
    for (;;) {
        while (k < row.size() && (row[k] == ' ' || row[k] == '\t'))
            ++k;
        std::string field;
        if (k < row.size() && row[k] == '"') {
            ++k;
            while (k < row.size()) {
                if (row[k] == '"' && k + 1 < row.size() && row[k + 1] == '"') {
                    field.push_back('"');
                    k += 2;
                } else if (row[k] == '"') {
                    ++k;
                    break;
                } else {
                    field.push_back(row[k++]);
                }
            }
            while (k < row.size() && row[k] != sep) // text after the closing quote
                field.push_back(row[k++]);
        } else {
            while (k < row.size() && row[k] != sep)
                field.push_back(row[k++]);
        }
        fields.emplace_back(trim(field));
        if (k >= row.size())
            return fields;
        ++k; // the separator
    }
}

std::optional<int> whole_number(std::string_view s)
{
    if (s.empty() || s.size() > 6)
        return std::nullopt;
    if (s.front() == '+' && s.size() > 1 && s[1] != '-') // "+-5" is no number
        s.remove_prefix(1);
    int n = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return std::nullopt;
    return n;
}

// Day index 1..7 of a full or short weekday name (a dot after the short
// name allowed), or 0.
int weekday_index(std::string_view name)
{
    if (!name.empty() && name.back() == '.')
        name.remove_suffix(1);
    for (int d = 1; d <= kDays; ++d) {
        const auto k = static_cast<std::size_t>(d - 1);
        if (equal_ignoring_case(name, weekday_names()[k]) || equal_ignoring_case(name, kShortNames[k]))
            return d;
    }
    return 0;
}

bool is_digits(std::string_view s)
{
    for (const char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return !s.empty();
}

// Hours and minutes as a spreadsheet writes them: "H:MM" or "HH:MM",
// optionally with ":00" seconds, optionally 12-hour with " AM" or " PM"
// (letter case ignored); within 00:00..23:59.
bool parse_time(std::string_view s, std::int32_t& hour, std::int32_t& minute)
{
    int half_day = -1; // -1: 24-hour; 0: AM; 12: PM
    if (s.size() > 2 && (s.back() == 'M' || s.back() == 'm')) {
        const char c = s[s.size() - 2];
        half_day = (c == 'A' || c == 'a') ? 0 : (c == 'P' || c == 'p') ? 12 : -1;
        if (half_day >= 0)
            s = trim(s.substr(0, s.size() - 2));
    }
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view h = s.substr(0, colon);
    std::string_view m = s.substr(colon + 1);
    const std::size_t seconds = m.find(':');
    if (seconds != std::string_view::npos) {
        if (m.substr(seconds + 1) != "00")
            return false;
        m = m.substr(0, seconds);
    }
    if (h.size() < 1 || h.size() > 2 || m.size() != 2 || !is_digits(h) || !is_digits(m))
        return false;
    hour = *whole_number(h);
    minute = *whole_number(m);
    if (half_day >= 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + half_day;
    }
    return hour <= 23 && minute <= 59;
}

// Takes a std::string, so that calls with one choose it over std::quoted,
// which lookup also finds wherever <filesystem> came in before.
std::string quoted(const std::string& s)
{
    return shown_text(s);
}

bool has_digit(std::string_view s)
{
    return s.find_first_of("0123456789") != std::string_view::npos;
}

// Five cells, and nothing in any after them.
bool has_five_cells(const std::vector<std::string>& f)
{
    for (std::size_t k = kColumns; k < f.size(); ++k) {
        if (!f[k].empty())
            return false;
    }
    return f.size() >= kColumns;
}

// The row the export writes, in any letter case.
bool is_export_header(const std::vector<std::string>& f)
{
    if (!has_five_cells(f))
        return false;
    const std::vector<std::string> written = split_row(kHeader, ';');
    for (std::size_t k = 0; k < kColumns; ++k) {
        if (!equal_ignoring_case(f[k], written[k]))
            return false;
    }
    return true;
}

// The first row is a header, not plan line 1, when it is the row the export
// writes, or when it names five columns: no cell empty, no weekday in the
// first, no whole number in the interval and switched-on cells, and neither
// a time nor a number in the time and volume cells. Any other first row is
// checked as a plan line: a misspelt weekday is an error, not a header, also
// in a row whose time and volume are blank ("Понеделник;1;0;;").
bool is_header(const std::vector<std::string>& f)
{
    if (is_export_header(f))
        return true;
    if (!has_five_cells(f))
        return false;
    for (std::size_t k = 0; k < kColumns; ++k) {
        if (f[k].empty())
            return false;
    }
    return weekday_index(f[0]) == 0 && !whole_number(f[1]) && !whole_number(f[2]) && !has_digit(f[3]) &&
           !has_digit(f[4]);
}

// Why the content is no table of text lines at all; empty when it is text.
// UTF-16 without a byte order mark has its zero bytes (the high bytes of
// ASCII characters) all at odd places, or all at even ones; a
// spreadsheet's own file (.xlsx, .ods) has zero bytes anywhere.
std::string not_text(std::string_view bytes)
{
    if (bytes.find('\0') == std::string_view::npos)
        return {};
    bool zero_even = false;
    bool zero_odd = false;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (bytes[k] == '\0')
            (k % 2 == 0 ? zero_even : zero_odd) = true;
    }
    if (bytes.size() % 2 == 0 && zero_even != zero_odd)
        return "таблица в UTF-16 без метки порядка байтов (BOM): сохраните ее как CSV в UTF-8 или "
               "Windows-1251, или в UTF-16 с меткой";
    return "не текстовая таблица (в файле нулевые байты; .xlsx или .ods?): сохраните ее как CSV";
}

// The line each day and interval came from (0: none yet).
using SeenAt = std::array<std::array<int, kIntervals + 1>, kDays + 1>;

// Empty when the row is taken; the problem otherwise.
std::string take_row(const std::vector<std::string>& f, int line, DeviceProgram& p, SeenAt& seen_at)
{
    if (f.size() < kColumns)
        return "ожидается 5 столбцов: день недели, интервал, включен, время, громкость";
    for (std::size_t k = kColumns; k < f.size(); ++k) {
        if (!f[k].empty())
            return "лишний столбец " + quoted(f[k]);
    }
    const int day = weekday_index(f[0]);
    if (day == 0)
        return "неизвестный день недели " + quoted(f[0]);
    const std::optional<int> interval = whole_number(f[1]);
    if (!interval || *interval < 1 || *interval > kIntervals)
        return "интервал " + quoted(f[1]) + " не число от 1 до 12";
    const std::optional<int> on = whole_number(f[2]);
    if (!on || (*on != 0 && *on != 1))
        return "включен: ожидается 0 или 1, а не " + quoted(f[2]);
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    if (!parse_time(f[3], hour, minute))
        return "время " + quoted(f[3]) + " не в виде ЧЧ:ММ (или ЧЧ:ММ:00, Ч:ММ AM/PM) от 00:00 до 23:59";
    const std::optional<int> volume = whole_number(f[4]);
    if (!volume)
        return "громкость " + quoted(f[4]) + " не целое число";
    if (*volume < kVolumeLowest || *volume > kVolumeHighest)
        return "громкость " + quoted(f[4]) + " не помещается в файл программы (от -128 до 127)";
    const auto d = static_cast<std::size_t>(day);
    const auto i = static_cast<std::size_t>(*interval);
    if (seen_at[d][i] != 0)
        return std::string(weekday_names()[d - 1]) + ", интервал " + std::to_string(*interval) +
               " уже задан в строке " + std::to_string(seen_at[d][i]);
    seen_at[d][i] = line;
    p.plan_enabled[d][i] = *on;
    p.plan_hour[d][i] = hour;
    p.plan_minute[d][i] = minute;
    p.plan_volume[d][i] = *volume;
    return {};
}

bool is_blank_row(std::string_view row)
{
    for (const char c : row) {
        if (c != ' ' && c != '\t' && c != ';' && c != ',')
            return false;
    }
    return true;
}

// The line (from 1) at a byte of the content, counted as the reader counts
// its rows: CR, LF and CR LF each end one.
int line_at(std::string_view bytes, std::size_t at)
{
    int line = 1;
    for (std::size_t k = 0; k < at; ++k) {
        if (bytes[k] == '\n' || (bytes[k] == '\r' && (k + 1 >= bytes.size() || bytes[k + 1] != '\n')))
            ++line;
    }
    return line;
}

// The line where a table begun in UTF-8 (with its byte order mark, or with
// Cyrillic letters in UTF-8 before) stops being UTF-8; 0 when it does not,
// or when the table is Windows-1251 from the start.
int line_leaving_utf8(std::string_view bytes, bool had_bom)
{
    const std::size_t valid = utf8_prefix_length(bytes);
    if (valid == bytes.size())
        return 0;
    bool cyrillic = false; // a two-byte sequence of U+0400..U+04FF
    for (std::size_t k = 0; k + 1 < valid && !cyrillic; ++k) {
        const auto lead = static_cast<unsigned char>(bytes[k]);
        cyrillic = lead >= 0xD0 && lead <= 0xD3;
    }
    return had_bom || cyrillic ? line_at(bytes, valid) : 0;
}

// The text of a table: UTF-8 when all of it is, else Windows-1251.
std::string table_text(std::string_view bytes)
{
    return is_utf8(bytes) ? std::string(bytes) : cp1251_to_utf8(bytes);
}

} // namespace

bool is_plan_table(std::string_view bytes)
{
    DeviceProgram ignored;
    if (read_plan_csv(bytes, ignored).status == PlanCsvStatus::Ok)
        return true;
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    const std::string text = table_text(bytes);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view row = std::string_view(text).substr(pos, end - pos);
        if (!is_blank_row(row))
            return is_export_header(split_row(row, row.find(';') != std::string_view::npos ? ';' : ','));
        pos = end + 1;
    }
    return false;
}

std::string write_plan_csv(const DeviceProgram& p)
{
    std::string out(kBom);
    out += kHeader;
    out += "\r\n";
    for (std::size_t d = 1; d <= kDays; ++d) {
        for (std::size_t i = 1; i <= kIntervals; ++i) {
            out += weekday_names()[d - 1];
            out += ';' + std::to_string(i) + ';' + std::to_string(p.plan_enabled[d][i]) + ';' +
                   two_digits(p.plan_hour[d][i]) + ':' + two_digits(p.plan_minute[d][i]) + ';' +
                   std::to_string(p.plan_volume[d][i]) + "\r\n";
        }
    }
    return out;
}

PlanCsvResult read_plan_csv(std::string_view bytes, DeviceProgram& out)
{
    // One encoding for the whole file: UTF-8 when all of it is, else
    // Windows-1251; a table begun in UTF-8 that leaves it is neither.
    const bool had_bom = bytes.substr(0, kBom.size()) == kBom;
    if (had_bom)
        bytes.remove_prefix(kBom.size());
    if (std::string problem = not_text(bytes); !problem.empty())
        return {PlanCsvStatus::NotATable, 0, std::move(problem)};
    if (const int leaves = line_leaving_utf8(bytes, had_bom); leaves > 0)
        return {PlanCsvStatus::Malformed, leaves,
                "текст здесь не в UTF-8, как таблица до этой строки (Windows-1251?): таблица читается "
                "целиком в UTF-8 или целиком в Windows-1251; сохраните ее заново в одной из них"};
    const std::string text = table_text(bytes);

    DeviceProgram p = out;
    for (PlanTable* table : {&p.plan_enabled, &p.plan_hour, &p.plan_minute, &p.plan_volume}) {
        for (int d = 1; d <= kDays; ++d) {
            for (int i = 1; i <= kIntervals; ++i)
                (*table)[static_cast<std::size_t>(d)][static_cast<std::size_t>(i)] = 0;
        }
    }
    SeenAt seen_at{};
    char sep = 0; // chosen by the first row that is not blank
    int line = 0;
    bool any_row = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view row = std::string_view(text).substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') {
            if (++pos < text.size() && text[pos] == '\n')
                ++pos;
        } else if (pos < text.size()) {
            ++pos; // LF
        }
        ++line;
        if (is_blank_row(row))
            continue;
        const bool first = sep == 0;
        if (first) {
            sep = row.find(';') != std::string_view::npos ? ';' : ',';
            if (sep == ',' && row.find(',') == std::string_view::npos &&
                row.find('\t') != std::string_view::npos)
                return {PlanCsvStatus::NotATable, 0,
                        "столбцы разделены табуляцией: ожидаются точка с запятой или запятая (сохраните "
                        "таблицу как CSV)"};
        }
        const std::vector<std::string> fields = split_row(row, sep);
        std::string problem = take_row(fields, line, p, seen_at);
        if (problem.empty()) {
            any_row = true;
            continue;
        }
        if (first && is_header(fields))
            continue;
        return {PlanCsvStatus::Malformed, line, std::move(problem)};
    }
    if (!any_row)
        return {PlanCsvStatus::NoRows, 0, "в файле нет ни одной строки плана"};
    out = p;
    return {};
}

} // namespace zuzo
