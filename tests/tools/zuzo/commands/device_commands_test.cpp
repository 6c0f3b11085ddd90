// "zuzo device ..." against the simulated device on a pseudo-terminal.

#include "link/core/optics_bytes.h"
#include "plans/core/plan_check.h"
#include "program/core/optics_rules.h"
#include "program/core/ptm_format.h"
#include "program/file_size_limit.h"
#include "support/cli_fixture.h"
#include "support/device_fixture.h"
#include "support/sample_programs.h"
#include "support/sim_fixture.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace zuzo;
using namespace zuzo::cli;

using DeviceCommands = DeviceFixture;

TEST_F(DeviceCommands, Status)
{
    sim.device().set_lux(1234);
    sim.device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    ASSERT_EQ(run({"status", "--port", "com5"}), 0) << err_.str();
    const json::ParseResult r = json::parse(out_.str());
    ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
    EXPECT_EQ(r.value.at("device_type"), 25);
    EXPECT_EQ(r.value.at("illuminance"), 1234);
    EXPECT_EQ(r.value.at("optical_sensor_on"), true);
    EXPECT_EQ(r.value.at("clock"), "2026-12-07 14:05:09");
    EXPECT_EQ(r.value.at("weekday"), 1);
}

TEST_F(DeviceCommands, StatusByDevicePathAndOutOfRangeClock)
{
    sim.device().set_sensor_on(false);
    sim.device().set_clock_bytes({9, 60, 14, 1, 7, 12, 26});
    ASSERT_EQ(run({"status", "--port", sim.terminal_path()}), 0) << err_.str();
    const json::ParseResult r = json::parse(out_.str());
    ASSERT_EQ(r.status, json::ParseStatus::Ok);
    EXPECT_EQ(r.value.at("optical_sensor_on"), false);
    EXPECT_TRUE(r.value.at("clock").is_null());
}

TEST_F(DeviceCommands, DeviceFailures)
{
    EXPECT_EQ(run({"status", "--port", "COM150"}), 1);
    EXPECT_NE(err_.str().find("COM150"), std::string::npos);

    ASSERT_TRUE(sim.set_fault("wrong-type"));
    EXPECT_EQ(run({"status", "--port", "COM5"}), 1);

    sim.device().set_faults({});
    ASSERT_TRUE(sim.set_fault("silence"));
    sim.device().clear_received();
    EXPECT_EQ(run({"status", "--port", "COM5"}), 1);
    EXPECT_EQ(sim.device().frame_count(), 8u); // the attempt limit
}

TEST_F(DeviceCommands, BadUsage)
{
    const std::string saved = save("p.ptm", sound_program());
    const std::vector<std::uint8_t> program = get(saved);
    const std::vector<std::vector<std::string>> cases{
        {"write", "--port", "COM5", saved, "--journal", saved},            // journal rows into the program
        {"verify", "--port", "COM5", saved, "--journal", path("./p.ptm")}, // the same by another name
        {"read", "--port", "COM5", "--into", saved, "--journal", saved},
        {},
        {"status"},
        {"dance", "--port", "COM5"},
        {"status", "--port", "COM5", "extra"},
        {"write", "--port", "COM5"},
        {"status", "--port", "COM5", "--into", "x.ptm"},
        {"read", "--port", "COM5", "--on-eeprom-fault=maybe"},
        {"read", "--port", "COM5", "--loud"},
        {"read", "--port", "COM5", "--max-clock-offset", "60"},
        {"write", "--port", "COM5", saved, "--max-clock-offset", "60"}, // without --verify
        {"status", "--port", "COM5", "--max-clock-offset", "-5"},
        {"status", "--port", "COM5", "--ports", "COM6"},
        {"status", "--ports", "COM5,COM5"},
        {"read", "--ports", "COM5,COM6", "--into", "x.ptm"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(run(args), 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << "not one line: " << err_.str();
    }
    EXPECT_EQ(sim.device().frame_count(), 0u);
    EXPECT_EQ(get(saved), program);
}

// With --json a mistake in the words is an object too, so that a script
// parsing the output gets one (it used to get nothing on standard output).
TEST_F(DeviceCommands, BadUsageWithJsonPrintsAnObject)
{
    const struct {
        std::vector<std::string> args;
        const char* says;
    } rows[] = {
        {{"dance", "--json", "--port", "COM5"}, "zuzo device: неизвестная команда dance"},
        {{"status", "--json"}, "zuzo device: нужен --port COMn или --port ПУТЬ"},
        {{"read", "--port", "COM5", "--json", "--verify"}, "zuzo device: --verify относится только к write"},
        {{"write", "--port", "COM5", "--json", "--on-eeprom-fault=maybe", "p.ptm"},
         "zuzo device: --on-eeprom-fault принимает repeat, skip или break"},
        // An option given twice: which one counts would be a guess.
        {{"read", "--port", "COM5", "--port", "COM6", "--json"},
         "zuzo device: параметр --port указан дважды"},
        {{"read", "--port", "COM5", "--journal", "a.csv", "--json", "--journal", "b.csv"},
         "zuzo device: параметр --journal указан дважды"},
        {{"write", "--port", "COM5", "--on-eeprom-fault", "skip", "--on-eeprom-fault=repeat", "--json",
          "p.ptm"},
         "zuzo device: параметр --on-eeprom-fault указан дважды"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(run(row.args), 2) << row.says;
        const json::ParseResult r = json::parse(out_.str());
        ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
        EXPECT_EQ(r.value.at("outcome"), "usage");
        EXPECT_EQ(r.value.at("exit_code"), 2);
        EXPECT_EQ(r.value.at("result").get<std::string>().rfind(row.says, 0), 0u) << out_.str();
        EXPECT_EQ(err_.str(), r.value.at("result").get<std::string>() + "; см. zuzo device --help\n");
    }
    EXPECT_EQ(sim.device().frame_count(), 0u);
}

TEST_F(DeviceCommands, ReadPrintsTheOptics)
{
    const DeviceProgram p = sound_program();
    sim.device().set_optics(optics_write_bytes(p).value());
    ASSERT_EQ(run({"read", "--port", "COM5"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), json::write(optics_to_json(p)));
}

TEST_F(DeviceCommands, ReadIntoReplacesOnlyTheOptics)
{
    DeviceProgram file_program;
    file_program.plan_enabled[3][2] = 1;
    file_program.plan_hour[3][2] = 7;
    file_program.plan_volume[3][2] = 55;
    file_program.sound_type = "Сигнал №2";
    const std::string saved = save("plan.ptm", file_program);
    const DeviceProgram device_program = sound_program();
    sim.device().set_optics(optics_write_bytes(device_program).value());

    ASSERT_EQ(run({"read", "--port", "COM5", "--into", saved}), 0) << err_.str();
    DeviceProgram expected = device_program;
    expected.plan_enabled = file_program.plan_enabled;
    expected.plan_hour = file_program.plan_hour;
    expected.plan_volume = file_program.plan_volume;
    expected.sound_type = file_program.sound_type;
    EXPECT_EQ(get(saved), write_ptm(expected));
    EXPECT_EQ(entries().size(), 1); // no temporary left
}

// read --into changes the optics bytes of the file and nothing else; a file
// whose optics cannot be replaced in place is refused before the device is
// asked and stays as it was.
TEST_F(DeviceCommands, ReadIntoKeepsEveryOtherByte)
{
    const DeviceProgram device_program = distinct_optics();
    sim.device().set_optics(optics_write_bytes(device_program).value());
    const std::vector<std::uint8_t> device_block = [&] {
        const std::vector<std::uint8_t> all = write_ptm(device_program);
        return std::vector<std::uint8_t>(all.end() - 80, all.end());
    }();
    // LF line ends, a weekday byte without a character, sound_off 05 and
    // bytes after the optics: a rewrite of the whole file changes each.
    std::string front = "wersia 3.01 unic\n\x98\xCF\n" + std::string(336, '\x01') + "Signal\n10\n\x05";
    const std::string old_optics(80, '\x02');
    const std::string tail = "tail\r\n";
    const struct {
        const char* fault; // what the row catches
        std::string content;
        int exit;
        std::string after; // "" : as it was
    } rows[] = {
        {"a rewrite drops the tail, LF ends, 0x98 and sound_off 05", front + old_optics + tail, 0,
         front + std::string(device_block.begin(), device_block.end()) + tail},
        {"a file cut inside the optics is taken and lengthened", front + old_optics.substr(1), 2, ""},
        {"a file cut inside the plan gets a plan of zeros", front.substr(0, 200), 2, ""},
        {"another format is overwritten", "wersia 3.02 unic\r\n" + std::string(600, 'x'), 2, ""},
    };
    for (const auto& row : rows) {
        const std::string file = path("into.ptm");
        put(file, row.content);
        sim.device().clear_received();
        EXPECT_EQ(run({"read", "--port", "COM5", "--into", file}), row.exit) << row.fault << err_.str();
        const std::vector<std::uint8_t> got = get(file);
        const std::string expected = row.after.empty() ? row.content : row.after;
        EXPECT_EQ(std::string(got.begin(), got.end()), expected) << row.fault;
        EXPECT_EQ(sim.device().frame_count(), row.exit == 0 ? 5u : 0u) << row.fault;
        if (row.exit != 0) {
            EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str(); // one line
        }
    }
}

TEST_F(DeviceCommands, ReadIntoUnusableFileSendsNothing)
{
    const std::string junk = path("junk.ptm");
    ASSERT_TRUE(write_output(junk, std::vector<std::uint8_t>{'n', 'o', '\r', '\n'}).done());
    EXPECT_EQ(run({"read", "--port", "COM5", "--into", junk}), 2);
    EXPECT_EQ(run({"read", "--port", "COM5", "--into", path("missing.ptm")}), 2);
    EXPECT_EQ(sim.device().frame_count(), 0u);
    EXPECT_EQ(get(junk), (std::vector<std::uint8_t>{'n', 'o', '\r', '\n'}));
}

TEST_F(DeviceCommands, FailedReadLeavesTheFile)
{
    const std::string saved = save("keep.ptm", DeviceProgram{});
    const std::vector<std::uint8_t> before = get(saved);
    ASSERT_TRUE(sim.set_fault("ignore=0x89"));
    EXPECT_EQ(run({"read", "--port", "COM5", "--into", saved}), 1);
    EXPECT_EQ(get(saved), before);
}

TEST_F(DeviceCommands, WriteSendsTheOptics)
{
    const DeviceProgram p = sound_program();
    ASSERT_TRUE(optics_sound(run_optics_rules(p)));
    sim.device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    ASSERT_EQ(run({"write", "--port", "COM5", save("p.ptm", p)}), 0) << err_.str();
    EXPECT_EQ(sim.device().optics(), optics_write_bytes(p).value());
    EXPECT_EQ(sim.device().frame_count(), 7u); // identification, clock, three reads, two writes
    EXPECT_EQ(out_.str(),
              "COM5: настройки оптики записаны (тип устройства 25, часы устройства 2026-12-07 14:05:09)\n");
}

TEST_F(DeviceCommands, WriteRefusedWhileARuleFails)
{
    DeviceProgram bad_optics = sound_program();
    bad_optics.evening_lux_threshold = 0;
    ASSERT_FALSE(optics_sound(run_optics_rules(bad_optics)));

    DeviceProgram bad_plan = sound_program();
    for (int k : {1, 2})
        set_interval(bad_plan, {4, k, 1, 8, 30, 50});
    ASSERT_NE(check_plan_day(bad_plan, 4), PlanFault::None);

    const OpticsBytes before = sim.device().optics();
    EXPECT_EQ(run({"write", "--port", "COM5", save("o.ptm", bad_optics)}), 1);
    EXPECT_EQ(run({"write", "--port", "COM5", save("q.ptm", bad_plan)}), 1);
    EXPECT_NE(err_.str().find("запись отклонена"), std::string::npos);
    // Values the device would get other than the file says, squeezed into
    // range before: refused, naming the field, even where the rules pass on
    // the squeezed values.
    const struct {
        const char* fault;
        void (*set)(DeviceProgram&);
        const char* says;
    } outside[] = {
        {"-5 Lux sent as 0", [](DeviceProgram& p) { p.evening_lux_threshold = -5; },
         "evening_lux_threshold: -5 Lux"},
        {"70000 Lux sent as 65535", [](DeviceProgram& p) { p.day_lux_threshold = 70000; },
         "day_lux_threshold: 70000 Lux вне диапазона 0..65535 Lux"},
        {"101 % sent as 100 %", [](DeviceProgram& p) { p.day_brightness.module_red = 101; },
         "day_brightness.module_red: 101 %"},
        {"sensor 7 sent as on", [](DeviceProgram& p) { p.optical_sensor_on = 7; }, "optical_sensor_on: 7"},
    };
    for (const auto& c : outside) {
        DeviceProgram p = sound_program();
        c.set(p);
        EXPECT_EQ(run({"write", "--port", "COM5", save("r.ptm", p)}), 1) << c.fault;
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << c.fault << ": " << err_.str();
        EXPECT_NE(err_.str().find("запись отклонена: ничего не отправлено"), std::string::npos) << c.fault;
    }
    EXPECT_EQ(sim.device().frame_count(), 0u);
    EXPECT_EQ(sim.device().optics(), before);
    EXPECT_EQ(run({"write", "--port", "COM5", path("missing.ptm")}), 2);
}

// An EEPROM fault is told as one: what the device reported, the answer the
// option gave, and an outcome of its own (it used to read "link_broken",
// "связь потеряна или прервана").
TEST_F(DeviceCommands, EepromFaultAnswers)
{
    const struct {
        const char* command;
        const char* fault;
        const char* answer; // nullptr: the default
        int exit;
        std::size_t frames;
        const char* says; // after "COM5: запрос состояния (80): устройство сообщает: "
    } cases[] = {
        // The status exchange that identifies the device meets the fault first.
        {"read", "os", nullptr, 1, 1,
         "«Повреждена EEPROM микроконтроллера»; ответ --on-eeprom-fault=break: связь разорвана"},
        {"read", "ol", "--on-eeprom-fault=break", 1, 1,
         "«Повреждена EEPROM внешняя»; ответ --on-eeprom-fault=break: связь разорвана"},
        // Skipped data identify nothing: no made-up type 255.
        {"read", "os", "--on-eeprom-fault=skip", 1, 1,
         "«Повреждена EEPROM микроконтроллера»; ответ --on-eeprom-fault=skip: данные ответа пропущены; "
         "устройство не опознано, ничего не прочитано"},
        {"read", "ol", "--on-eeprom-fault=repeat", 1, 8,
         "«Повреждена EEPROM внешняя»; ответ --on-eeprom-fault=repeat: попыток 8, неисправность осталась"},
        {"write", "os", "--on-eeprom-fault=skip", 1, 1,
         "«Повреждена EEPROM микроконтроллера»; ответ --on-eeprom-fault=skip: данные ответа пропущены; "
         "устройство не опознано, ничего не записано"},
        {"write", "ol", "--on-eeprom-fault=repeat", 1, 8,
         "«Повреждена EEPROM внешняя»; ответ --on-eeprom-fault=repeat: попыток 8, неисправность осталась"},
        {"status", "os", "--on-eeprom-fault=skip", 1, 2,
         "«Повреждена EEPROM микроконтроллера»; ответ --on-eeprom-fault=skip: данные ответа пропущены; "
         "значения, которых устройство не прислало, не показаны"},
        // Aimed past the identification, at the optics read or write itself
        // (nullptr: the message names the fault, its exchange is not the status).
        {"read", "os@88", nullptr, 1, 4, nullptr},                       // status twice, 87, 88: break
        {"read", "ol@89#1", "--on-eeprom-fault=repeat", 0, 6, nullptr},  // 89 asked again, answered
        {"read", "os@87", "--on-eeprom-fault=repeat", 1, 10, nullptr},   // 87 repeated until the limit
        {"write", "ol@0B", nullptr, 1, 10, nullptr},                     // reads, 0A, 0B: break, read back
        {"write", "os@0A#1", "--on-eeprom-fault=repeat", 0, 8, nullptr}, // reads, 0A twice, 0B
    };
    for (const auto& c : cases) {
        sim.device().set_faults({});
        sim.device().clear_received();
        ASSERT_TRUE(sim.set_fault(c.fault));
        std::vector<std::string> args{c.command, "--port", "COM5"};
        if (c.answer)
            args.push_back(c.answer);
        if (std::string(c.command) == "write")
            args.push_back(save("w.ptm", sound_program()));
        EXPECT_EQ(run(args), c.exit) << c.command << " " << c.fault;
        EXPECT_EQ(sim.device().frame_count(), c.frames) << c.command << " " << c.fault;
        if (c.exit == 0)
            EXPECT_EQ(err_.str(), "") << c.fault;
        else if (c.says)
            EXPECT_EQ(err_.str(),
                      std::string("COM5: запрос состояния (80): устройство сообщает: ") + c.says + "\n");
        else
            EXPECT_NE(err_.str().find("устройство сообщает: «Повреждена EEPROM"), std::string::npos)
                << err_.str();
        args.push_back("--json");
        EXPECT_EQ(run(args), c.exit);
        const json::Value v = json::parse(out_.str()).value;
        if (c.exit == 0)
            continue;
        EXPECT_EQ(v.at("outcome"), "eeprom_fault") << out_.str();
        EXPECT_EQ(v.at("eeprom_fault").at("fault"),
                  std::string(c.fault).rfind("os", 0) == 0 ? "microcontroller" : "external");
    }
}

// Values the device did not send are no measurements: a skipped status
// shows them as unknown (they used to read type 255 and 65535 Lux).
TEST_F(DeviceCommands, SkippedStatusShowsNoMadeUpValues)
{
    ASSERT_TRUE(sim.set_fault("os"));
    EXPECT_EQ(run({"status", "--port", "COM5", "--on-eeprom-fault=skip"}), 1);
    const json::Value v = json::parse(out_.str()).value;
    for (const char* key :
         {"device_type", "supported", "optical_sensor_on", "illuminance", "clock", "weekday"})
        EXPECT_TRUE(v.at(key).is_null()) << key << "\n" << out_.str();
}

TEST_F(DeviceCommands, RepeatRecoversFromAPassingFault)
{
    ASSERT_TRUE(sim.set_fault("os"));
    ASSERT_TRUE(sim.set_fault("faulty-frames=1"));
    ASSERT_EQ(run({"read", "--port", "COM5", "--on-eeprom-fault", "repeat"}), 0) << err_.str();
    EXPECT_EQ(sim.device().frame_count(), 6u); // status twice (once repeated), three reads
    EXPECT_EQ(out_.str(), json::write(optics_to_json([] {
                  DeviceProgram p; // the simulator's first optics: the factory's, sensor in use
                  apply_optics_defaults(p);
                  p.optical_sensor_on = 1;
                  return p;
              }())));
}
