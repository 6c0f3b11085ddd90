#include "program/core/cp1251.h"
#include "program/core/ptm_format.h"
#include "program/file_size_limit.h"
#include "support/cli_fixture.h"
#include "tools/zuzo/commands/cli.h"
#include "tools/zuzo/commands/ptm_check.h"
#include "tools/zuzo/commands/ptm_commands.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using zuzo::DeviceProgram;
using Bytes = std::vector<std::uint8_t>;

using PtmCommands = CliFixture;

DeviceProgram faulty()
{
    DeviceProgram p;
    p.module_min_brightness = 60;          // evening 50 too low on channels 1..3: code 3
    p.day_brightness.indicator_green = 40; // below min 50 and below evening 50: 2
    p.evening_lux_threshold = 0;           // code 6
    p.plan_enabled[2][1] = 1;              // Tuesday: two intervals at 00:00
    p.plan_enabled[2][2] = 1;
    p.plan_enabled[5][3] = 1; // Friday: volume 200 reads back as -56
    p.plan_volume[5][3] = 200;
    return p;
}

TEST_F(PtmCommands, DumpPrintsTheProgramAsJson)
{
    const DeviceProgram p = faulty();
    put(path("a.ptm"), zuzo::write_ptm(p));
    ASSERT_EQ(run({"ptm", "dump", path("a.ptm")}), 0) << err_.str();
    const auto parsed = zuzo::json::parse(out_.str());
    ASSERT_EQ(parsed.status, zuzo::json::ParseStatus::Ok) << parsed.error;
    DeviceProgram back;
    ASSERT_EQ(zuzo::program_from_json(parsed.value, back).status, zuzo::JsonProgramStatus::Ok);
    DeviceProgram expected = p;
    expected.plan_volume[5][3] = -56;
    EXPECT_EQ(back, expected);
    EXPECT_NE(out_.str().find("\"weekday_name\": \"Понедельник\""), std::string::npos);
    EXPECT_TRUE(err_.str().empty());
}

// A file made from its dump is the file again, text lines byte for byte:
// every byte that does not end a line (0x98, which Windows-1251 leaves
// unassigned, and the control bytes too) goes through JSON and back.
TEST_F(PtmCommands, MakeFromDumpGivesTheSameFile)
{
    std::string line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    }
    DeviceProgram every_byte = faulty();
    every_byte.weekday_name = zuzo::cp1251_to_utf8(line);
    every_byte.fast_pulse_time = zuzo::cp1251_to_utf8("1\x98");
    for (const DeviceProgram& program : {faulty(), every_byte}) {
        const Bytes original = zuzo::write_ptm(program);
        put(path("a.ptm"), original);
        ASSERT_EQ(run({"ptm", "dump", path("a.ptm")}), 0);
        put(path("a.json"), out_.str());
        ASSERT_EQ(run({"ptm", "make", path("a.json"), path("b.ptm")}), 0) << err_.str();
        EXPECT_EQ(get(path("b.ptm")), original);
    }
}

TEST_F(PtmCommands, MakeTakesTheUtf16OfPowerShell)
{
    const Bytes original = zuzo::write_ptm(faulty());
    put(path("a.ptm"), original);
    ASSERT_EQ(run({"ptm", "dump", path("a.ptm")}), 0);
    // What Windows PowerShell's "zuzo ptm dump a.ptm > a.json" leaves.
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray json = utf16(QString::fromStdString(out_.str()));
    put(path("a.json"), json.toStdString());
    ASSERT_EQ(run({"ptm", "make", path("a.json"), path("b.ptm")}), 0) << err_.str();
    EXPECT_EQ(get(path("b.ptm")), original);
}

TEST_F(PtmCommands, MakeFromEmptyObjectIsTheNewDocument)
{
    put(path("empty.json"), "{}");
    ASSERT_EQ(run({"ptm", "make", path("empty.json"), path("new.ptm")}), 0) << err_.str();
    const Bytes file = get(path("new.ptm"));
    EXPECT_EQ(file.size(), 463u);
    EXPECT_EQ(file, zuzo::write_ptm(DeviceProgram{}));
}

TEST_F(PtmCommands, MakeReplacesALongerFileWhole)
{
    put(path("old.ptm"), "wersia 3.01 unic\r\n" + std::string(5000, 'x'));
    put(path("p.json"), R"({"weekday_name": "Среда"})");
    ASSERT_EQ(run({"ptm", "make", path("p.json"), path("old.ptm")}), 0) << err_.str();
    DeviceProgram expected;
    expected.weekday_name = "Среда";
    EXPECT_EQ(get(path("old.ptm")), zuzo::write_ptm(expected));
    EXPECT_EQ(entries(), (QStringList{"old.ptm", "p.json"}));
}

TEST_F(PtmCommands, FailedMakeKeepsTheOldFileAndLeavesNoTemporary)
{
    if (const char* why = FileSizeLimit::why_unavailable())
        GTEST_SKIP() << why;
    const std::string old = "wersia 3.01 unic\r\n" + std::string(1000, 'o');
    put(path("old.ptm"), old);
    put(path("p.json"), "{}");
    int code = 0;
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.active());
        code = run({"ptm", "make", path("p.json"), path("old.ptm")});
    }
    EXPECT_EQ(code, 2);
    EXPECT_EQ(err_.str(), path("old.ptm") + ": файл не записан: превышен предельный размер файла\n");
    EXPECT_EQ(get(path("old.ptm")), Bytes(old.begin(), old.end()));
    EXPECT_EQ(entries(), (QStringList{"old.ptm", "p.json"}));
}

TEST_F(PtmCommands, MakeIntoAFolderThatIsAFileFails)
{
    put(path("plain"), "x");
    put(path("p.json"), "{}");
    EXPECT_EQ(run({"ptm", "make", path("p.json"), path("plain") + "/out.ptm"}), 2);
    EXPECT_EQ(err_.str(), path("plain") + "/out.ptm: файл не записан: «" + path("plain") + "» не папка\n");
}

using PtmMake = CliFixture;

// Whatever make cannot write so that it reads back the same, and JSON that
// is no program, is refused: exit 2, one Russian line naming the place or
// the field, no file written.
TEST_F(PtmMake, RefusalsNameTheFieldAndWriteNothing)
{
    const struct {
        std::string json;
        std::string says;
    } cases[] = {
        {R"({"weekday_name": "Среда",})", "испорченный JSON: строка 1, столбец 26: найдено: «}»"},
        {"{\"weekday_name\": \"\xC0\"}",
         "испорченный JSON: строка 1, столбец 19: недопустимая последовательность"},
        {R"({"day_lux_threshold": 1e400})", "число «1e400» вне диапазона"},
        {R"({"sound_off": "yes"})", "не программа устройства: sound_off: должно быть целым числом"},
        {R"({"day_lux_threshold": 99999999999999999999999})",
         "day_lux_threshold: вне диапазона 32-битного целого"},
        {R"({"weekday_name": "Вторник\r\n"})", "weekday_name: управляющий символ U+000D"},
        {R"({"fast_pulse_time": "1\u00000"})", "fast_pulse_time: управляющий символ U+0000"},
        {R"({"sound_type": "Сигнал 😀"})",
         "sound_type: символ U+1F600 «😀» нельзя записать в кодировке Windows-1251"},
        {R"({"weekday_name": "月曜日"})", "weekday_name: символ U+6708"},
        {R"({"sound_off": 256})", "sound_off: должно быть 0 или 1"},
        // Optics the device would get other than the file says (they were
        // squeezed into range on the way).
        {R"({"evening_lux_threshold": -5})",
         "в устройство не уходит как есть: evening_lux_threshold: -5 Lux вне диапазона 0..65535 Lux"},
        {R"({"day_lux_threshold": 70000})", "day_lux_threshold: 70000 Lux вне диапазона 0..65535 Lux"},
        {R"({"day_brightness": {"indicator_green": 101}})",
         "day_brightness.indicator_green: 101 % вне диапазона 0..100 %"},
        {R"({"module_min_brightness": -1})", "module_min_brightness: -1 % вне диапазона 0..100 %"},
        {R"({"optical_sensor_on": 2})",
         "optical_sensor_on: 2: датчик задается только 0 (выкл.) или 1 (вкл.)"},
        {R"({"plan": {"volume": [[0, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0], [], [], [], [], [], []]}})",
         "не программа устройства: plan.volume[1]"},
        {R"({"plan": {"hour": [[0,0,0,0,0,0,0,0,0,0,0,0], [0,0,0,0,0,0,0,0,0,0,0,0], [0,0,0,0,0,0,0,0,0,0,0,0],
             [0,0,0,0,0,0,0,0,0,0,0,0], [0,0,0,0,0,0,0,0,0,0,0,0], [0,0,0,0,0,0,0,0,0,0,0,0],
             [0,0,0,0,0,0,0,0,0,0,0,-129]]}})",
         "не помещается в файл программы: plan.hour[6][11]: вне диапазона"},
    };
    for (const auto& c : cases) {
        put(path("p.json"), c.json);
        EXPECT_EQ(run({"ptm", "make", path("p.json"), path("out.ptm")}), 2) << c.json;
        const std::string err = err_.str();
        EXPECT_NE(err.find(c.says), std::string::npos) << c.json << "\n" << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_EQ(names(), QStringList{"p.json"}) << c.json;
    }
}

TEST_F(PtmCommands, CheckOfASoundProgramPrintsNothing)
{
    put(path("ok.ptm"), zuzo::write_ptm(DeviceProgram{}));
    EXPECT_EQ(run({"ptm", "check", path("ok.ptm")}), 0);
    EXPECT_TRUE(out_.str().empty()) << out_.str();
}

TEST_F(PtmCommands, CheckPrintsEveryFaultWithTheToolsText)
{
    DeviceProgram p = faulty();
    p.plan_enabled[5][4] = 1; // Friday: interval 4 at 00:00 beside interval 3
    put(path("bad.ptm"), zuzo::write_ptm(p));
    EXPECT_EQ(run({"ptm", "check", path("bad.ptm")}), 1);
    const std::string evening_low = "для вечернего времени меньше минимально допустимой яркости\n";
    EXPECT_EQ(out_.str(),
              "Модуль, красный: Яркость модуля, " + evening_low + "Модуль, зеленый: Яркость модуля, " +
                  evening_low + "Модуль, желтый: Яркость модуля, " + evening_low +
                  "Индикатор, зеленый: Яркость индикатора, для дневного времени меньше минимально "
                  "допустимой яркости\n"
                  "Пороги освещенности: Задано нулевое значение\n"
                  "Вторник, 00:00, интервалы 1 и 2: Задано несколько, одинаковых, временных интервалов\n"
                  "Пятница, интервал 3: Уровень громкости вне диапазона 0..100%\n"
                  "Пятница, 00:00, интервалы 3 и 4: Задано несколько, одинаковых, временных интервалов\n");
}

// Values from a file that the device would not get as they stand are
// faults of the file; thresholds the editor would not take are warnings.
TEST_F(PtmCommands, CheckTellsWhatTheDeviceCannotHold)
{
    const struct {
        const char* fault; // what a wrong check would do
        void (*set)(DeviceProgram&);
        int exit_code;
        std::string output;
    } cases[] = {
        {"70000 Lux passed in silence", [](DeviceProgram& p) { p.day_lux_threshold = 70000; }, 1,
         "day_lux_threshold: 70000 Lux вне диапазона 0..65535 Lux: устройство хранит порог двумя байтами\n"},
        {"a brightness above 100 % passed in silence",
         [](DeviceProgram& p) { p.sensor_off_brightness.module_red = 150; }, 1,
         "sensor_off_brightness.module_red: 150 % вне диапазона 0..100 %: устройство хранит яркость одним "
         "байтом\n"},
        {"a sensor byte other than 0/1 passed in silence",
         [](DeviceProgram& p) { p.optical_sensor_on = -254; }, 1,
         "optical_sensor_on: -254: датчик задается только 0 (выкл.) или 1 (вкл.)\n"},
        {"a threshold the editor refuses failed the check",
         [](DeviceProgram& p) { p.day_lux_threshold = 12001; }, 0,
         "Предупреждение: day_lux_threshold: 12001 Lux больше 12000 Lux, наибольшего порога, который можно "
         "ввести "
         "в программе\n"},
        {"12000 Lux warned about", [](DeviceProgram& p) { p.day_lux_threshold = 12000; }, 0, ""},
        {"65535 Lux not warned about", [](DeviceProgram& p) { p.day_lux_threshold = 65535; }, 0,
         "Предупреждение: day_lux_threshold: 65535 Lux больше 12000 Lux, наибольшего порога, который можно "
         "ввести "
         "в программе\n"},
    };
    for (const auto& c : cases) {
        DeviceProgram p;
        c.set(p);
        put(path("p.ptm"), zuzo::write_ptm(p));
        out_.str({});
        EXPECT_EQ(run({"ptm", "check", path("p.ptm")}), c.exit_code) << c.fault;
        EXPECT_EQ(out_.str(), c.output) << c.fault;
    }
}

TEST(PtmCheckText, LineBreaksFoldIntoOneBlank)
{
    EXPECT_EQ(zuzo::cli::one_line("Освещенность в вечернее время \nбольше или равно, чем в дневное"),
              "Освещенность в вечернее время больше или равно, чем в дневное");
    EXPECT_EQ(zuzo::cli::one_line("a\nb\n"), "a b");
}

struct Unreadable {
    const char* name;
    const char* command;
    const char* message;
};

class UnreadableFile : public PtmCommands, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(UnreadableFile, ExitsTwoWithTheToolsMessage)
{
    put(path("wrong.ptm"), "Wersia 3.01 unic\r\n");
    QDir(QString::fromStdString(path(""))).mkdir("folder.ptm");
    const std::string file = path(GetParam().name);
    EXPECT_EQ(run({"ptm", GetParam().command, file}), 2);
    std::string message = GetParam().message;
    std::string folder = path("");
    if (folder.back() != '/')
        folder += '/';
    if (const std::size_t at = message.find("{DIR}"); at != std::string::npos)
        message.replace(at, 5, folder);
    EXPECT_EQ(err_.str(), file + ": " + message + "\n");
    EXPECT_TRUE(out_.str().empty());
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableFile,
                         ::testing::Values(
                             // Each cause its own line, no line break inside it.
                             Unreadable{"missing.ptm", "dump", "файл не прочитан: файла нет"},
                             Unreadable{"missing.ptm", "check", "файл не прочитан: файла нет"},
                             Unreadable{"folder.ptm", "dump", "файл не прочитан: это папка, а не файл"},
                             Unreadable{"gone/p.ptm", "dump", "файл не прочитан: нет папки «{DIR}gone»"},
                             Unreadable{"wrong.ptm/p.ptm", "dump",
                                        "файл не прочитан: «{DIR}wrong.ptm» не папка"},
                             Unreadable{"wrong.ptm", "dump", "Формат файла не поддерживается"},
                             Unreadable{"wrong.ptm", "check", "Формат файла не поддерживается"}));

TEST_F(PtmCommands, MissingFileCreatesNothing)
{
    EXPECT_EQ(run({"ptm", "dump", path("missing.ptm")}), 2);
    EXPECT_TRUE(entries().isEmpty());
}

class BadUse : public PtmCommands, public ::testing::WithParamInterface<std::vector<std::string>> {};

// One line that names the mistake and where help is; usage lives in --help.
TEST_P(BadUse, SaysWhatIsWrongOnOneLineAndExitsTwo)
{
    EXPECT_EQ(run(GetParam()), 2);
    const std::string err = err_.str();
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_EQ(err.rfind("zuzo", 0), 0u) << err;
    EXPECT_NE(err.find("; см. zuzo"), std::string::npos) << err;
    EXPECT_EQ(err.find("--help\n"), err.size() - 7) << err;
}

INSTANTIATE_TEST_SUITE_P(Args, BadUse,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"ptm"},
                                           std::vector<std::string>{"ptm", "dump"},
                                           std::vector<std::string>{"ptm", "make", "a.json"},
                                           std::vector<std::string>{"ptm", "check", "a", "b"},
                                           std::vector<std::string>{"ptm", "list", "a"},
                                           std::vector<std::string>{"nothing"}));

// No command writes over its own input, whatever name the output has, nor
// over a file of another kind (a table over a program, a program over a
// table, a JSON or a file of no known kind): exit 2 before anything is
// written, naming what is there. A file of the same kind is replaced.
TEST_F(PtmCommands, NoCommandWritesOverItsInputOrAnotherKind)
{
    const std::string json = R"({"weekday_name": "Среда"})";
    const Bytes program = zuzo::write_ptm(DeviceProgram{});
    const std::string table = "Пн;1;1;08:00;50\r\n";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"site.json", json},      {"site.ptm", std::string(program.begin(), program.end())},
        {"plan.csv", table},      {"other.ptm", std::string(program.begin(), program.end())},
        {"other.json", "[1, 2]"}, {"notes.txt", "купить кабель USB\r\n"},
    };
    for (const auto& [name, content] : files)
        put(path(name), content);
    namespace fs = std::filesystem;
    fs::create_hard_link(path("site.json"), path("hard.json"));
    // Windows lets only some users make symbolic links (Wine none): the rows
    // through one are left out where none can be made.
    std::error_code no_link;
    fs::create_symlink(path("site.ptm"), path("soft.ptm"), no_link);
    if (!no_link)
        fs::create_symlink(path("plan.csv"), path("soft.csv"), no_link);
    const bool symlinks = !no_link;
    const std::string folder = path("");
    const std::string same = "тот же файл, что и";
    const struct {
        const char* fault; // what was lost before
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {"make replaced its JSON with a program",
         {"ptm", "make", path("site.json"), path("site.json")},
         same},
        {"make wrote through ./", {"ptm", "make", path("site.json"), folder + "/./site.json"}, same},
        {"make wrote through a hard link", {"ptm", "make", path("hard.json"), path("site.json")}, same},
        {"export destroyed the program", {"ptm", "plan", "export", path("site.ptm"), path("site.ptm")}, same},
        {"export wrote through a symbolic link",
         {"ptm", "plan", "export", path("site.ptm"), path("soft.ptm")},
         same},
        {"import replaced its table", {"ptm", "plan", "import", path("plan.csv"), path("soft.csv")}, same},
        {"export replaced another program with a table",
         {"ptm", "plan", "export", path("site.ptm"), path("other.ptm")},
         path("other.ptm") + ": это файл программы, а не таблица плана; файл не изменен\n"},
        {"make replaced a table",
         {"ptm", "make", path("site.json"), path("plan.csv")},
         "это таблица плана, а не"},
        {"make replaced another JSON",
         {"ptm", "make", path("site.json"), path("other.json")},
         "это JSON, а не"},
        {"make replaced a file of no known kind",
         {"ptm", "make", path("site.json"), path("notes.txt")},
         "это не файл программы"},
        {"export replaced a file of no known kind",
         {"ptm", "plan", "export", path("site.ptm"), path("notes.txt")},
         "это не таблица плана"},
    };
    for (const auto& c : cases) {
        if (!symlinks && c.args.back().find("soft.") != std::string::npos)
            continue;
        err_.str({});
        EXPECT_EQ(run(c.args), 2) << c.fault;
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << c.fault << ": " << err_.str();
        for (const auto& [name, content] : files)
            EXPECT_EQ(text(path(name)), content) << c.fault << ": " << name;
    }
    QStringList left{"hard.json", "notes.txt", "other.json", "other.ptm",
                     "plan.csv",  "site.json", "site.ptm"};
    if (symlinks)
        left << "soft.csv"
             << "soft.ptm";
    EXPECT_EQ(names(), left);
    // Over a file of its own kind a command writes as before.
    EXPECT_EQ(run({"ptm", "plan", "export", path("site.ptm"), path("plan.csv")}), 0) << err_.str();
    EXPECT_EQ(run({"ptm", "make", path("site.json"), path("other.ptm")}), 0) << err_.str();
}

TEST_F(PtmCommands, VersionIsTheProjects)
{
    ASSERT_EQ(run({"--version"}), 0);
    EXPECT_TRUE(QRegularExpression("^zuzo \\d+\\.\\d+\\.\\d+\n$")
                    .match(QString::fromStdString(out_.str()))
                    .hasMatch())
        << out_.str();
    EXPECT_TRUE(err_.str().empty());
    EXPECT_EQ(run({"--version", "ptm"}), 2) << "anything after --version is bad use";
}

TEST_F(PtmCommands, UnknownOptionIsNamed)
{
    const std::vector<std::vector<std::string>> cases{{"--verbose"},
                                                      {"ptm", "dump", "--force", "a.ptm"},
                                                      {"ptm", "plan", "import", "-x", "a", "b"},
                                                      {"device", "read", "--port", "COM1", "--fast"}};
    for (const auto& args : cases) {
        EXPECT_EQ(run(args), 2);
        const std::string option = args[args.size() == 1    ? 0
                                        : args[1] == "dump" ? 2
                                        : args[0] == "ptm"  ? 3
                                                            : 4];
        EXPECT_NE(err_.str().find("неизвестный параметр " + option), std::string::npos) << err_.str();
    }
}

} // namespace
