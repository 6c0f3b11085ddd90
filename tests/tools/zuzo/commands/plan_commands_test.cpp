// "zuzo ptm plan export|import", called as functions on files in a temporary folder.

#include "plans/core/plan_csv.h"
#include "program/core/ptm_format.h"
#include "support/cli_fixture.h"
#include "support/sample_programs.h"
#include "tools/zuzo/commands/cli.h"
#include "tools/zuzo/core/command_files.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plan_commands_test {

using namespace zuzo;
using namespace zuzo::cli;
using Bytes = std::vector<std::uint8_t>;

using PlanCommands = CliFixture;

// A file with an unusual weekday line, a lone LF and bytes past the optics.
Bytes odd_file(const DeviceProgram& p)
{
    Bytes b = write_ptm(p);
    const std::string odd = "wersia 3.01 unic\nчетверг\r\n";
    std::size_t weekday_end = 18;
    while (b[weekday_end] != '\n')
        ++weekday_end;
    b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(weekday_end + 1));
    b.insert(b.begin(), odd.begin(), odd.end());
    b.push_back(0x5A);
    return b;
}

TEST_F(PlanCommands, ExportToOutputOrFile)
{
    DeviceProgram p;
    set_interval(p, {3, 2, 1, 7, 45, 80});
    put(path("a.ptm"), write_ptm(p));
    ASSERT_EQ(run({"ptm", "plan", "export", path("a.ptm")}), 0) << err_.str();
    EXPECT_EQ(out_.str(), write_plan_csv(p));
    ASSERT_EQ(run({"ptm", "plan", "export", path("a.ptm"), path("a.csv")}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(text(path("a.csv")), write_plan_csv(p));
}

TEST_F(PlanCommands, ExportThenImportKeepsTheFileByteForByte)
{
    std::vector<DeviceProgram> programs(3);
    set_interval(programs[1], {1, 1, 1, 0, 0, 0});
    set_interval(programs[1], {7, 12, 1, 23, 59, 100});
    programs[2].sound_type = "Сигнал №3";
    programs[2].day_lux_threshold = 9000;
    for (int d = 1; d <= kDays; ++d) {
        for (int i = 1; i <= kIntervals; ++i)
            set_interval(programs[2], {d, i, 1, (d + i) % 24, (d * i) % 60, (d * 7 + i) % 101});
    }
    for (std::size_t k = 0; k < programs.size(); ++k) {
        const Bytes before = odd_file(programs[k]);
        put(path("p.ptm"), before);
        ASSERT_EQ(run({"ptm", "plan", "export", path("p.ptm"), path("p.csv")}), 0) << err_.str();
        DeviceProgram other_plan = programs[k]; // the same file with another plan
        set_interval(other_plan, {4, 4, 1, 4, 4, 4});
        other_plan.plan_enabled[1][1] = 0;
        put(path("p.ptm"), odd_file(other_plan));
        ASSERT_NE(get(path("p.ptm")), before);
        ASSERT_EQ(run({"ptm", "plan", "import", path("p.csv"), path("p.ptm")}), 0) << k << err_.str();
        EXPECT_EQ(get(path("p.ptm")), before) << k;
    }
}

TEST_F(PlanCommands, ImportReplacesOnlyThePlanBlock)
{
    DeviceProgram p;
    p.optical_sensor_on = 1;
    set_interval(p, {2, 2, 1, 2, 2, 2});
    const Bytes before = odd_file(p);
    put(path("p.ptm"), before);
    put(path("p.csv"), "Пт;5;1;17:30;60\r\n");
    ASSERT_EQ(run({"ptm", "plan", "import", path("p.csv"), path("p.ptm")}), 0) << err_.str();

    DeviceProgram plan;
    set_interval(plan, {5, 5, 1, 17, 30, 60});
    const Bytes block = ptm_plan_block(plan);
    const std::size_t start = std::string("wersia 3.01 unic\nчетверг\r\n").size();
    Bytes expected = before;
    std::copy(block.begin(), block.end(), expected.begin() + static_cast<std::ptrdiff_t>(start));
    EXPECT_EQ(get(path("p.ptm")), expected);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

TEST_F(PlanCommands, ImportCreatesAMissingFileFromTheNewProgram)
{
    const QString table = QStringLiteral("День;Интервал;Включен;Время;Громкость\r\nСреда;1;1;06:00;30\r\n");
    // UTF-8 as a spreadsheet saves it, UTF-16 as Windows PowerShell's ">" writes it.
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray encoded[] = {utf8(table), utf16(table)};
    DeviceProgram expected;
    set_interval(expected, {3, 1, 1, 6, 0, 30});
    for (const QByteArray& bytes : encoded) {
        QFile::remove(QString::fromStdString(path("new.ptm")));
        put(path("p.csv"), bytes.toStdString());
        ASSERT_EQ(run({"ptm", "plan", "import", path("p.csv"), path("new.ptm")}), 0) << err_.str();
        EXPECT_EQ(get(path("new.ptm")), write_ptm(expected));
    }
}

} // namespace plan_commands_test

namespace plan_import_refusals {

using PlanImport = CliFixture;

// A table that holds no plan, or a malformed row, refuses the import: exit
// 2, one line on err naming the table's line, the file as it was.
TEST_F(PlanImport, RefusalsLeaveTheFile)
{
    std::string noise(200000, '\0');
    for (std::size_t k = 0; k < noise.size(); ++k)
        noise[k] = static_cast<char>((k * 7919 + k / 13) % 251 + 1);
    const struct {
        const char* name;
        std::string table;
        std::string says;
    } cases[] = {
        {"empty", "", "plan.csv: в файле нет ни одной строки плана; файл "},
        {"bom only", "\xEF\xBB\xBF", "в файле нет ни одной строки плана"},
        {"header only", "\xEF\xBB\xBFДень недели;Интервал;Включен;Время;Громкость (%)\r\n",
         "в файле нет ни одной строки плана"},
        {"blank lines only", "\r\n\n;;;;\r\n", "в файле нет ни одной строки плана"},
        {"one line of junk", "junk", "plan.csv, строка 1: ожидается 5 столбцов"},
        {"a long line of random bytes", noise, "plan.csv, строка 1: "},
        {"first row a malformed data row", "Пн;1;1;8.30;50\r\nПн;2;1;08:00;50\r\n", "строка 1: время «8.30»"},
        {"bad row after a Windows-1251 one", "\xC2\xF2;1;1;08:00;50\r\n\xCF\xED;2;1;25:00;50\r\n",
         "plan.csv, строка 2: время «25:00»"},
        {"volume beyond the byte", "Сб;3;1;09:00;200\r\n", "строка 1: громкость «200» не помещается"},
        {"a misspelt weekday first taken for a header", "Понеднльник;1;1;08:00;50\r\nВт;1;1;08:00;50\r\n",
         "plan.csv, строка 1: неизвестный день недели «Понеднльник»"},
        {"tabs told as a missing column", "Пн\t1\t1\t08:00\t50\r\n",
         "plan.csv: столбцы разделены табуляцией"},
    };
    const std::vector<std::uint8_t> before = zuzo::write_ptm(zuzo::DeviceProgram{});
    for (const auto& c : cases) {
        put(path("p.ptm"), before);
        put(path("plan.csv"), c.table);
        EXPECT_EQ(run({"ptm", "plan", "import", path("plan.csv"), path("p.ptm")}), 2) << c.name;
        const std::string err = err_.str();
        EXPECT_NE(err.find(c.says), std::string::npos) << c.name << ": " << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << c.name << ": one line, " << err.size() << " bytes";
        EXPECT_LT(err.size(), 400u) << c.name;
        EXPECT_EQ(text(path("p.ptm")), std::string(before.begin(), before.end())) << c.name;
    }
    // A program whose optics the device would not get as they stand: the
    // import says which field, and the file stays.
    zuzo::DeviceProgram outside;
    outside.evening_lux_threshold = -5;
    const std::vector<std::uint8_t> odd = zuzo::write_ptm(outside);
    put(path("p.ptm"), odd);
    put(path("plan.csv"), std::string("Пн;1;1;08:00;50\r\n"));
    EXPECT_EQ(run({"ptm", "plan", "import", path("plan.csv"), path("p.ptm")}), 2);
    EXPECT_NE(err_.str().find("p.ptm: в устройство не уходит как есть: evening_lux_threshold: -5 Lux"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(get(path("p.ptm")), odd);
}

// A file that ends without its last line break: the plan gets a line of
// its own, and the file reads back as before with the new plan.
TEST_F(PlanImport, IntoAFileEndingWithoutItsLineBreak)
{
    for (const std::string old :
         {"wersia 3.01 unic", "wersia 3.01 unic\r\n", "wersia 3.01 unic\r\n\xC2\xF2"}) {
        put(path("p.ptm"), old);
        put(path("plan.csv"), "Пн;1;1;08:00;50\r\n");
        ASSERT_EQ(run({"ptm", "plan", "import", path("plan.csv"), path("p.ptm")}), 0) << err_.str();
        const std::string after = text(path("p.ptm"));
        zuzo::DeviceProgram expected;
        zuzo::DeviceProgram got;
        ASSERT_EQ(zuzo::read_ptm(std::vector<std::uint8_t>(old.begin(), old.end()), expected),
                  zuzo::PtmReadResult::Loaded);
        ASSERT_EQ(zuzo::read_ptm(std::vector<std::uint8_t>(after.begin(), after.end()), got),
                  zuzo::PtmReadResult::Loaded);
        expected.plan_enabled[1][1] = 1;
        expected.plan_hour[1][1] = 8;
        expected.plan_volume[1][1] = 50;
        EXPECT_EQ(got, expected) << after.size();
    }
}

} // namespace plan_import_refusals

namespace plan_commands_test {

TEST_F(PlanCommands, UnusableFilesAndUsage)
{
    put(path("wrong.ptm"), std::string("wersia 3.02 unic\r\n"));
    put(path("p.csv"), "Пн;1;1;08:00;50\r\n");
    const struct {
        std::vector<std::string> args;
        const char* fragment;
    } cases[] = {
        {{"ptm", "plan", "import", path("p.csv"), path("wrong.ptm")}, "Формат файла не поддерживается"},
        {{"ptm", "plan", "import", path("missing.csv"), path("p.ptm")},
         "missing.csv: файл не прочитан: файла нет\n"},
        {{"ptm", "plan", "export", path("wrong.ptm")}, "Формат файла не поддерживается"},
        {{"ptm", "plan", "export", path("missing.ptm")}, "missing.ptm: файл не прочитан: файла нет\n"},
        {{"ptm", "plan", "export", path("p.csv"), dir_.path().toStdString()}, "это папка, а не файл"},
        {{"ptm", "plan", "import", path("p.csv")},
         "zuzo ptm plan import: ожидается ПЛАН.csv ФАЙЛ.ptm; см. zuzo ptm plan import --help\n"},
        {{"ptm", "plan", "dance", path("p.csv"), path("p.ptm")},
         "zuzo ptm plan: неизвестная команда dance; см. zuzo ptm plan --help\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.args.back();
        EXPECT_NE(err_.str().find(c.fragment), std::string::npos) << err_.str();
    }
    EXPECT_EQ(text(path("wrong.ptm")), "wersia 3.02 unic\r\n");
}

} // namespace plan_commands_test
