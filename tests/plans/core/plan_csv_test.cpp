#include "plans/core/plan_csv.h"

#include "program/core/cp1251.h"
#include "support/sample_programs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zuzo;

namespace plan_csv_test {

constexpr const char* kBom = "\xEF\xBB\xBF";

using Interval = PlanInterval;

Interval get(const DeviceProgram& p, int day, int interval)
{
    const auto d = static_cast<std::size_t>(day);
    const auto i = static_cast<std::size_t>(interval);
    return {day, interval, p.plan_enabled[d][i], p.plan_hour[d][i], p.plan_minute[d][i], p.plan_volume[d][i]};
}

bool same_plan(const DeviceProgram& a, const DeviceProgram& b)
{
    return a.plan_enabled == b.plan_enabled && a.plan_hour == b.plan_hour && a.plan_minute == b.plan_minute &&
           a.plan_volume == b.plan_volume;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

TEST(PlanCsvWrite, OneHeaderThenEveryIntervalMondayFirst)
{
    DeviceProgram p;
    set_interval(p, {2, 3, 1, 8, 5, 50});
    set_interval(p, {7, 12, 0, 23, 59, 100});
    const std::string text = write_plan_csv(p);
    ASSERT_EQ(text.rfind(kBom, 0), 0u);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    const std::vector<std::string> lines = lines_of(text.substr(3));
    ASSERT_EQ(lines.size(), 1u + 7 * 12);
    EXPECT_EQ(lines[0], "День недели;Интервал;Включен;Время;Громкость (%)");
    EXPECT_EQ(lines[1], "Понедельник;1;0;00:00;0");
    EXPECT_EQ(lines[12 + 3], "Вторник;3;1;08:05;50");
    EXPECT_EQ(lines[84], "Воскресенье;12;0;23:59;100");
}

TEST(PlanCsvWrite, OutOfRangeValuesAsTheyAre)
{
    DeviceProgram p;
    set_interval(p, {1, 1, 5, 25, 7, -56});
    set_interval(p, {1, 2, -1, -3, 99, 127});
    const std::vector<std::string> lines = lines_of(write_plan_csv(p).substr(3));
    EXPECT_EQ(lines[1], "Понедельник;1;5;25:07;-56");
    EXPECT_EQ(lines[2], "Понедельник;2;-1;-3:99;127");
}

TEST(PlanCsvRead, WrittenPlansComeBack)
{
    const std::vector<std::vector<Interval>> plans{
        {},
        {{1, 1, 1, 0, 0, 0}, {1, 12, 1, 23, 59, 100}, {7, 6, 0, 12, 30, 40}},
        {{3, 4, 1, 8, 0, 127}, {3, 5, 1, 8, 0, -128}, {5, 9, 0, 17, 45, 101}}, // faults the checks flag
    };
    for (std::size_t k = 0; k < plans.size(); ++k) {
        DeviceProgram p;
        for (const Interval& v : plans[k])
            set_interval(p, v);
        DeviceProgram back;
        set_interval(back, {4, 4, 1, 4, 4, 4}); // replaced by the table's "off" row
        const PlanCsvResult r = read_plan_csv(write_plan_csv(p), back);
        ASSERT_EQ(r.status, PlanCsvStatus::Ok) << k << ": line " << r.line << " " << r.error;
        EXPECT_TRUE(same_plan(p, back)) << k;
    }
}

TEST(PlanCsvRead, SpreadsheetVariants)
{
    const struct {
        const char* name;
        std::string text;
        Interval expected;
    } cases[] = {
        {"bom, semicolons",
         std::string(kBom) + "День;Интервал;Вкл;Время;Громкость\r\nвторник;3;1;08:05;50\r\n",
         {2, 3, 1, 8, 5, 50}},
        {"no bom, no header, LF", "Среда;12;1;23:59;100\n", {3, 12, 1, 23, 59, 100}},
        {"windows-1251, short name", utf8_to_cp1251("h;i;o;t;v\r\nЧт;1;1;7:30;20\r\n"), {4, 1, 1, 7, 30, 20}},
        {"commas, quotes, blanks", "\"Пятница\" , \"2\",1, 10:00 ,\"5\"\r\n", {5, 2, 1, 10, 0, 5}},
        {"capitals, short with dot", "СБ.;7;0;00:01;0\rВОСКРЕСЕНЬЕ;8;1;13:13;13\r", {6, 7, 0, 0, 1, 0}},
        {"blank rows, trailing separators",
         "\r\n;;;;\r\nпонедельник;6;1;06:06;66;;\r\n\r\n",
         {1, 6, 1, 6, 6, 66}},
        {"rows in any order", "Вс;12;1;1:00;1\r\nПн;1;1;02:00;2\r\n", {7, 12, 1, 1, 0, 1}},
        {"seconds, Russian locale", "Пн;1;1;08:12:00;5\r\n", {1, 1, 1, 8, 12, 5}},
        {"12-hour with seconds", "Пн;1;1;8:12:00 AM;5\r\n", {1, 1, 1, 8, 12, 5}},
        {"12-hour, midnight", "Пн;1;1;12:05 am;5\r\n", {1, 1, 1, 0, 5, 5}},
        {"12-hour, noon", "Пн;1;1;12:30:00 PM;5\r\n", {1, 1, 1, 12, 30, 5}},
        {"12-hour, evening", "Пн;1;1;11:59PM;5\r\n", {1, 1, 1, 23, 59, 5}},
    };
    for (const auto& c : cases) {
        DeviceProgram p;
        const PlanCsvResult r = read_plan_csv(c.text, p);
        ASSERT_EQ(r.status, PlanCsvStatus::Ok) << c.name << ": line " << r.line << " " << r.error;
        const Interval got = get(p, c.expected.day, c.expected.interval);
        EXPECT_EQ(got.on, c.expected.on) << c.name;
        EXPECT_EQ(got.hour, c.expected.hour) << c.name;
        EXPECT_EQ(got.minute, c.expected.minute) << c.name;
        EXPECT_EQ(got.volume, c.expected.volume) << c.name;
    }
}

TEST(PlanCsvRead, OnlyThePlanChangesAndMissingRowsAreOff)
{
    DeviceProgram p;
    p.weekday_name = "Среда";
    p.evening_lux_threshold = 321;
    set_interval(p, {2, 2, 1, 9, 9, 9});
    ASSERT_EQ(read_plan_csv("Пн;1;1;01:01;11\r\n", p).status, PlanCsvStatus::Ok);
    DeviceProgram expected;
    expected.weekday_name = "Среда";
    expected.evening_lux_threshold = 321;
    set_interval(expected, {1, 1, 1, 1, 1, 11});
    EXPECT_EQ(p, expected);
}

TEST(PlanCsvRead, MalformedRowsRefuseTheWholeTable)
{
    const std::string header = "День недели;Интервал;Включен;Время;Громкость\r\n";
    const std::string good = "Пн;1;1;08:00;50\r\n";
    const struct {
        std::string row;
        std::string fragment;
    } cases[] = {
        {"Пнд;2;1;08:00;50", "день недели «Пнд»"},
        {"Пн;0;1;08:00;50", "интервал «0»"},
        {"Пн;13;1;08:00;50", "интервал «13»"},
        {"Пн;2,5;1;08:00;50", "интервал «2,5»"},
        {"Пн;2;2;08:00;50", "0 или 1"},
        {"Пн;2;да;08:00;50", "0 или 1"},
        {"Пн;2;1;24:00;50", "время «24:00»"},
        {"Пн;2;1;12:60;50", "время «12:60»"},
        {"Пн;2;1;1200;50", "время «1200»"},
        {"Пн;2;1;12:5;50", "время «12:5»"},
        {"Пн;2;1;-1:05;50", "время «-1:05»"},
        {"Пн;2;1;08:00;громко", "громкость «громко»"},
        {"Пн;2;1;08:00;", "громкость «»"},
        {"Пн;2;1;08:00;50.5", "громкость «50.5»"},
        {"Пн;2;1;08:00;+-5", "громкость «+-5» не целое число"}, // read as -5
        {"Пн;2;+-1;08:00;5", "0 или 1"},
        {"Пн;2;1;08:00;50\u00A0", "громкость «50\\u00A0» не целое число"}, // shown as "50 "
        {"Пн;2;1;08:00;128", "громкость «128» не помещается в файл программы (от -128 до 127)"},
        {"Пн;2;1;08:00:30;50", "время «08:00:30»"},
        {"Пн;2;1;13:00 PM;50", "время «13:00 PM»"},
        {"Пн;2;1;0:30 AM;50", "время «0:30 AM»"},
        {"Пн;2;1;08:00;" + std::string(50, '7'), "громкость «" + std::string(40, '7') + "…» не"},
        {"Пн\x01\x1B;2;1;08:00;50", "день недели «Пн\\x01\\x1B»"},
        {"Пн;2;1;08:00", "5 столбцов"},
        {"Пн;2;1;08:00;50;лишнее", "лишний столбец"},
        {"понедельник;1;0;09:00;0", "уже задан в строке 2"},
        // A row saved in Windows-1251 into a table in UTF-8: named, with the
        // encodings that are read.
        {utf8_to_cp1251("Вт;2;1;08:00;50"), "не в UTF-8, как таблица до этой строки (Windows-1251?): таблица "
                                            "читается целиком в UTF-8 или целиком в Windows-1251"},
    };
    for (const auto& c : cases) {
        DeviceProgram p;
        set_interval(p, {6, 6, 1, 6, 6, 6});
        const DeviceProgram before = p;
        const PlanCsvResult r = read_plan_csv(header + good + c.row + "\r\n", p);
        EXPECT_EQ(r.status, PlanCsvStatus::Malformed) << c.row;
        EXPECT_EQ(r.line, 3) << c.row;
        EXPECT_NE(r.error.find(c.fragment), std::string::npos) << c.row << " -> " << r.error;
        EXPECT_EQ(p, before) << c.row;
    }
}

// The first line is a header only when it is one; anything else is plan
// line 1 and is checked as such.
TEST(PlanCsvRead, FirstLineIsAHeaderOnlyWhenItIsOne)
{
    const std::string plan_row = "Вт;2;1;09:00;40\r\n";
    const struct {
        const char* fault; // what a wrong reading would do
        std::string first;
        const char* error; // nullptr: taken as a header
    } cases[] = {
        {"the export's header taken as a plan line", "День недели;Интервал;Включен;Время;Громкость (%)",
         nullptr},
        {"the export's header in capitals refused", "ДЕНЬ НЕДЕЛИ;ИНТЕРВАЛ;ВКЛЮЧЕН;ВРЕМЯ;ГРОМКОСТЬ (%)",
         nullptr},
        {"the export's header with commas refused", "День недели,Интервал,Включен,Время,Громкость (%)",
         nullptr},
        {"the export's header in Windows-1251 refused",
         utf8_to_cp1251("День недели;Интервал;Включен;Время;Громкость (%)"), nullptr},
        {"an English header refused", "Day;Interval;On;Time;Volume, %", nullptr},
        {"a misspelt weekday dropped as a header", "Понеднльник;1;1;08:00;50",
         "неизвестный день недели «Понеднльник»"},
        {"an English weekday dropped as a header", "Monday;1;1;08:00;50", "неизвестный день недели «Monday»"},
        {"a header with a time in it dropped", "День;Интервал;Вкл;8:00;Громкость",
         "неизвестный день недели «День»"},
        {"a header with a number for volume dropped", "День;Интервал;Вкл;Время;100",
         "неизвестный день недели «День»"},
        {"a plan line without its time dropped", "Понедельник;1;1;;", "время «»"},
        {"a misspelt weekday with blank time and volume dropped as a header", "Понеделник;1;0;;",
         "неизвестный день недели «Понеделник»"},
        {"a misspelt weekday alone dropped as a header", "Понеделник;;;;",
         "неизвестный день недели «Понеделник»"},
        {"a header that gives the ranges refused", "День;Интервал (1-12);Включен (0/1);Время;Громкость",
         nullptr},
        {"a short first line dropped", "День;Интервал", "ожидается 5 столбцов"},
    };
    for (const auto& c : cases) {
        DeviceProgram p;
        // The plan line in the first line's encoding and separator.
        std::string rest = c.first.find(';') != std::string::npos ? plan_row : "Вт,2,1,09:00,40\r\n";
        rest = is_utf8(c.first) ? rest : utf8_to_cp1251(rest);
        const PlanCsvResult r = read_plan_csv(c.first + "\r\n" + rest, p);
        if (c.error == nullptr) {
            EXPECT_EQ(r.status, PlanCsvStatus::Ok) << c.fault << ": " << r.error;
            EXPECT_EQ(get(p, 2, 2).volume, 40) << c.fault;
            continue;
        }
        EXPECT_EQ(r.status, PlanCsvStatus::Malformed) << c.fault;
        EXPECT_EQ(r.line, 1) << c.fault;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << c.fault << " -> " << r.error;
    }
}

std::string utf16(const std::string& ascii, bool little_endian)
{
    std::string out;
    for (const char c : ascii)
        out += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
    return out;
}

// Tables that are no text lines, or not separated as a table this tool
// reads, are told as such instead of as a bad first row.
TEST(PlanCsvRead, TablesOfAnotherKindHaveTheirOwnMessage)
{
    const std::string rows = "Day;Interval;On;Time;Volume\r\nPn;1;1;08:00;50\r\n";
    const struct {
        const char* fault;
        std::string text;
        const char* message;
    } cases[] = {
        {"UTF-16 LE without its mark read as a bad weekday", utf16(rows, true),
         "UTF-16 без метки порядка байтов"},
        {"UTF-16 BE without its mark read as a bad weekday", utf16(rows, false),
         "UTF-16 без метки порядка байтов"},
        {"a spreadsheet's own file read as text", std::string("PK\x03\x04\x14\0\0\0\x08\0", 10) + "xl/",
         "не текстовая таблица"},
        {"tabs read as one column", "День\tИнтервал\tВкл\tВремя\tГромкость\r\nПн\t1\t1\t08:00\t50\r\n",
         "разделены табуляцией"},
        {"tabs without a header read as one column", "Пн\t1\t1\t08:00\t50\r\n", "разделены табуляцией"},
    };
    for (const auto& c : cases) {
        DeviceProgram p;
        const PlanCsvResult r = read_plan_csv(c.text, p);
        EXPECT_EQ(r.status, PlanCsvStatus::NotATable) << c.fault;
        EXPECT_EQ(r.line, 0) << c.fault;
        EXPECT_NE(r.error.find(c.message), std::string::npos) << c.fault << " -> " << r.error;
    }
}

} // namespace plan_csv_test
