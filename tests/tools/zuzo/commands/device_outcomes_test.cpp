// "zuzo device ..." against the simulated device on a pseudo-terminal: what
// verify finds, the failures as they are told, the JSON and the journal.

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

namespace {

// True when the device received no write command.
bool only_reads(const std::vector<zuzo::sim::Received>& frames)
{
    for (const auto& r : frames) {
        if (r.frame.code == CMD_WRITE_OPTICS_A || r.frame.code == CMD_WRITE_OPTICS_B)
            return false;
    }
    return true;
}

} // namespace

TEST_F(DeviceCommands, VerifyEqualOptics)
{
    DeviceProgram p = sound_program();
    sim.device().set_optics(optics_write_bytes(p).value());
    p.plan_enabled[1][1] = 1; // plan and sound never go to the device
    p.sound_type = "Сигнал №3";
    ASSERT_EQ(run({"verify", "--port", "COM5", save("v.ptm", p)}), 0) << err_.str();
    EXPECT_NE(out_.str().find("совпадают"), std::string::npos) << out_.str();
    EXPECT_EQ(sim.device().frame_count(), 5u);
    EXPECT_TRUE(only_reads(sim.device().received()));
}

TEST_F(DeviceCommands, VerifyNeverMatchesValuesTheDeviceCannotHold)
{
    DeviceProgram file = sound_program();
    file.day_brightness.module_red = 250; // was sent as 255, like the device's 100 %
    file.optical_sensor_on = 7;           // 1 - 7 was sent as 0, like "on"
    file.day_lux_threshold = 70000;       // was sent as 65535
    DeviceProgram device = sound_program();
    device.day_brightness.module_red = 100;
    device.optical_sensor_on = 1;
    device.day_lux_threshold = 65535;
    sim.device().set_optics(optics_write_bytes(device).value());
    EXPECT_EQ(run({"verify", "--port", "COM5", save("v.ptm", file)}), 3) << out_.str();
    for (const char* line :
         {"day_brightness.module_red: в файле 250 % (вне диапазона устройства), в устройстве 100 %",
          "optical_sensor_on: в файле 7 (вне диапазона устройства), в устройстве вкл.",
          "day_lux_threshold: в файле 70000 Lux (вне диапазона устройства), в устройстве 65535 Lux"})
        EXPECT_NE(out_.str().find(line), std::string::npos) << line << "\n" << out_.str();
}

TEST_F(DeviceCommands, VerifyListsEachDifferingField)
{
    const DeviceProgram file = sound_program();
    OpticsBytes held = optics_write_bytes(file).value();
    held[5] = 128;   // evening module_red: 128 reads as 50 %, the file's 60 % goes as 153
    held[15] = 1;    // sensor not used
    held[19] = 0x02; // evening threshold: the file's 300 is 0x012C, the device holds 0x022C
    held[7] = 155;   // evening module_green: the file's 61 % goes as 156; 155 reads as 61 % too
    sim.device().set_optics(held);
    EXPECT_EQ(run({"verify", "--port", "COM5", save("v.ptm", file)}), 3) << err_.str();
    const std::string text = out_.str();
    for (const char* line :
         {"evening_brightness.module_red: в файле 60 %, в устройстве 50 %",
          "optical_sensor_on: в файле вкл., в устройстве выкл.",
          "evening_lux_threshold: в файле 300 Lux, в устройстве 556 Lux",
          "evening_brightness.module_green: в файле 61 % (байт 156), в устройстве 61 % (байт 155)"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("day_brightness"), std::string::npos) << text;
    EXPECT_TRUE(only_reads(sim.device().received()));
}

TEST_F(DeviceCommands, VerifyFailures)
{
    const std::string saved = save("v.ptm", sound_program());
    const struct {
        const char* fault;
        std::vector<std::string> extra;
        int exit;
        std::size_t frames;
    } cases[] = {
        {"silence", {}, 1, 8},
        {"of", {}, 1, 8},
        {"ignore=0x88", {}, 1, 11},
        {"os", {}, 1, 1},
    };
    for (const auto& c : cases) {
        sim.device().set_faults({});
        sim.device().clear_received();
        ASSERT_TRUE(sim.set_fault(c.fault));
        std::vector<std::string> args{"verify", "--port", "COM5", saved};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(run(args), c.exit) << c.fault;
        EXPECT_EQ(sim.device().frame_count(), c.frames) << c.fault;
        EXPECT_TRUE(only_reads(sim.device().received())) << c.fault;
    }
    sim.device().set_faults({});
    sim.device().clear_received();
    EXPECT_EQ(run({"verify", "--port", "COM5"}), 2);
    EXPECT_EQ(run({"verify", "--port", "COM5", path("missing.ptm")}), 2);
    EXPECT_EQ(run({"verify", "--port", "COM5", saved, saved}), 2);
    EXPECT_EQ(run({"verify", "--port", "COM150", saved}), 1);
    EXPECT_EQ(sim.device().frame_count(), 0u);
}

// Read, write and verify identify the device first: another type is refused
// before any optics command, naming the port and the type.
TEST_F(DeviceCommands, AnotherDeviceTypeIsRefusedBeforeAnything)
{
    const std::string saved = save("p.ptm", sound_program());
    const OpticsBytes before = sim.device().optics();
    ASSERT_TRUE(sim.set_fault("wrong-type=26"));
    for (const char* command : {"read", "write", "verify"}) {
        sim.device().clear_received();
        std::vector<std::string> args{command, "--port", "COM5"};
        if (std::string(command) != "read")
            args.push_back(saved);
        EXPECT_EQ(run(args), 1) << command;
        EXPECT_NE(err_.str().find("COM5: тип устройства 26 не поддерживается"), std::string::npos)
            << err_.str();
        EXPECT_EQ(sim.device().frame_count(), 1u) << command;
    }
    EXPECT_EQ(sim.device().optics(), before);
}

// Each failing command is named in words with its code, after the port.
TEST_F(DeviceCommands, FailuresNameThePortAndTheCommand)
{
    const std::string saved = save("p.ptm", sound_program());
    const struct {
        std::vector<std::string> args;
        const char* fault;
        const char* says;
    } cases[] = {
        {{"status", "--port", "COM5"},
         "silence",
         "COM5: запрос состояния (80): команда не выполнена (попыток: 8)"},
        {{"read", "--port", "COM5"},
         "ignore=0x89",
         "COM5: чтение оптики, часть 3 (89): команда не выполнена"},
        {{"write", "--port", "COM5", saved},
         "ignore=0x0B",
         "COM5: запись оптики, часть 2 (0B): команда не выполнена (попыток: 8): устройство не отвечает или "
         "отвечает неверно; прочитано обратно: в устройстве только часть 1 настроек оптики из файла"},
    };
    for (const auto& c : cases) {
        sim.device().set_faults({});
        ASSERT_TRUE(sim.set_fault(c.fault));
        EXPECT_EQ(run(c.args), 1) << c.fault;
        EXPECT_EQ(err_.str().rfind(c.says, 0), 0u) << err_.str();
        EXPECT_EQ(err_.str().find('\n'), err_.str().size() - 1) << err_.str();
    }
}

// --json: one object with the port, the device, the outcome and the exit
// code, also when the run fails.
TEST_F(DeviceCommands, JsonTellsEveryOutcome)
{
    const DeviceProgram p = sound_program();
    const std::string saved = save("p.ptm", p);
    sim.device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    const struct {
        std::vector<std::string> args;
        const char* fault; // nullptr: none
        int exit;
        const char* outcome;
    } cases[] = {
        {{"status", "--port", "COM5", "--json"}, nullptr, 0, "done"},
        {{"write", "--port", "COM5", saved, "--json"}, nullptr, 0, "done"},
        {{"verify", "--json", "--port", "COM5", saved}, nullptr, 0, "done"},
        {{"read", "--port", "COM5", "--json"}, "silence", 1, "device_failed"},
        {{"write", "--port", "COM5", saved, "--json"}, "wrong-type", 1, "unsupported"},
    };
    for (const auto& c : cases) {
        sim.device().set_faults({});
        if (c.fault) {
            ASSERT_TRUE(sim.set_fault(c.fault));
        }
        EXPECT_EQ(run(c.args), c.exit) << c.args[0];
        const json::ParseResult r = json::parse(out_.str());
        ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
        EXPECT_EQ(r.value.at("port"), "COM5");
        EXPECT_EQ(r.value.at("outcome"), c.outcome) << out_.str();
        EXPECT_EQ(r.value.at("exit_code"), c.exit);
        EXPECT_EQ(r.value.at("device_type").is_null(),
                  c.exit == 1 && c.outcome != std::string("unsupported"));
        EXPECT_EQ(r.value.at("clock") == "2026-12-07 14:05:09", c.exit == 0) << out_.str();
    }
    sim.device().set_faults({});
    sim.device().set_optics(optics_write_bytes(DeviceProgram{}).value());
    EXPECT_EQ(run({"verify", "--port", "COM5", saved, "--json"}), 3);
    const json::Value v = json::parse(out_.str()).value;
    EXPECT_EQ(v.at("outcome"), "differs");
    EXPECT_EQ(v.at("differences").at(0).at("field"), "sensor_off_brightness.module_red") << out_.str();
}

namespace {

std::vector<std::string> rows_of(const std::string& text)
{
    std::vector<std::string> rows;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = text.find("\r\n", pos);
        rows.push_back(text.substr(pos, end - pos));
        pos = end == std::string::npos ? text.size() : end + 2;
    }
    return rows;
}

} // namespace

// --journal: a row per run, after the header of a new journal; the hash is
// that of the 22 optics bytes on the wire, so the write and a verify of what
// it wrote agree; earlier rows stay as they were.
TEST_F(DeviceCommands, JournalAddsOneRowPerRun)
{
    const DeviceProgram p = sound_program();
    const std::string saved = save("p.ptm", p);
    const std::string journal = path("журнал.csv");
    sim.device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    ASSERT_EQ(run({"write", "--port", "COM5", saved, "--journal", journal}), 0) << err_.str();
    const std::vector<std::uint8_t> first = get(journal);
    ASSERT_EQ(run({"verify", "--port", "COM5", saved, "--journal", journal}), 0) << err_.str();
    ASSERT_TRUE(sim.set_fault("wrong-type=26"));
    EXPECT_EQ(run({"read", "--port", "COM5", "--journal", journal}), 1);
    const std::vector<std::uint8_t> all = get(journal);
    ASSERT_GT(all.size(), first.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), all.begin()));

    const OpticsBytes sent = optics_write_bytes(p).value();
    const std::string hash =
        QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(sent.data()), 22),
                                 QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    const std::vector<std::string> rows = rows_of(std::string(all.begin(), all.end()));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "\xEF\xBB\xBFДата и время;Порт;Тип устройства;Часы устройства;Расхождение часов, с;"
                       "Команда;Файл программы;SHA-256 оптики;Результат;Код возврата");
    const std::string expected[] = {
        ";COM5;25;2026-12-07 14:05:09;write;" + saved + ";" + hash + ";настройки оптики записаны;0",
        ";COM5;25;2026-12-07 14:05:09;verify;" + saved + ";" + hash +
            ";настройки оптики в устройстве совпадают с файлом;0",
        ";COM5;26;;read;;;\"тип устройства 26 не поддерживается; ничего не прочитано\";1"}; // quoted: a ';'

    const QRegularExpression stamp("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$");
    // The clock offset (fifth column) runs with the computer's clock: a
    // signed number where the clock was read, empty where it was not.
    const QRegularExpression offset("^[-+]?\\d+$");
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_TRUE(stamp.match(QString::fromStdString(rows[k + 1].substr(0, 19))).hasMatch()) << rows[k + 1];
        std::string row = rows[k + 1].substr(19);
        std::size_t at = 0;
        for (int field = 0; field < 4; ++field)
            at = row.find(';', at) + 1;
        const std::size_t end = row.find(';', at);
        const std::string seconds = row.substr(at, end - at);
        EXPECT_EQ(offset.match(QString::fromStdString(seconds)).hasMatch(), k < 2) << row;
        row.erase(at, end - at + 1);
        EXPECT_EQ(row, expected[k]);
    }
}

TEST_F(DeviceCommands, JournalThatCannotBeWritten)
{
    const DeviceProgram p = sound_program();
    const std::string saved = save("p.ptm", p);
    EXPECT_EQ(run({"write", "--port", "COM5", saved, "--journal", path("missing/j.csv")}), 2);
    EXPECT_EQ(err_.str(), path("missing/j.csv") + ": журнал не открывается для дописывания: нет папки «" +
                              path("missing") + "»; устройство не затронуто\n");
    EXPECT_EQ(sim.device().frame_count(), 0u);

    // The row cannot be added after the device was written: said plainly,
    // and no piece of the row is left.
    const std::string journal = path("j.csv");
    int code = 0;
    {
        FileSizeLimit limit(journal_first_rows().size() + 10);
        ASSERT_TRUE(limit.active());
        code = run({"write", "--port", "COM5", saved, "--journal", journal});
    }
    EXPECT_EQ(code, 2);
    // Why the row is missing, and what that means for the device.
    EXPECT_EQ(
        err_.str(),
        journal +
            ": строку журнала записать не удалось: превышен предельный размер файла; настройки оптики в "
            "устройство на COM5 при этом записаны\n");
    EXPECT_EQ(sim.device().optics(), optics_write_bytes(p).value());
    const std::vector<std::uint8_t> left = get(journal);
    EXPECT_EQ(std::string(left.begin(), left.end()), journal_first_rows());
}

// write --verify: one port session identifies the device, writes, reads
// back and compares; one journal row with the hash of what was sent.
TEST_F(DeviceCommands, WriteWithVerifyInOneSession)
{
    const DeviceProgram p = sound_program();
    const std::string saved = save("p.ptm", p);
    const std::string journal = path("j.csv");
    const struct {
        const char* fault; // nullptr: none; what the row catches
        int exit;
        std::size_t frames;
        const char* says;  // the result
        const char* holds; // what the device holds
    } rows[] = {
        // Status twice, the optics read before the write, two writes, the
        // optics read again.
        {nullptr, 0, 10, "настройки оптики записаны и прочитаны обратно: совпадают с файлом", "verified"},
        // A read-back that fails must not pass for a verified write.
        {"silence-after=9", 1, 2 + 3 + 2 + 2 + 8,
         "чтение оптики, часть 3 (89): команда не выполнена (попыток: 8): устройство не отвечает или "
         "отвечает неверно; настройки оптики записаны, но не проверены",
         "written"},
        // A failed write is read back as what it left, never as a verified write.
        {"ignore=0x0B", 1, 2 + 3 + 1 + 8 + 3,
         "запись оптики, часть 2 (0B): команда не выполнена (попыток: 8): устройство не отвечает или "
         "отвечает неверно; прочитано обратно: в устройстве только часть 1 настроек оптики из файла",
         "part_written"},
    };
    for (const auto& row : rows) {
        sim.device().set_faults({});
        sim.device().set_optics(optics_write_bytes(DeviceProgram{}).value());
        if (row.fault) {
            ASSERT_TRUE(sim.set_fault(row.fault));
        }
        sim.device().clear_received();
        EXPECT_EQ(run({"write", "--verify", "--port", "COM5", saved, "--json", "--journal", journal}),
                  row.exit);
        EXPECT_EQ(sim.device().frame_count(), row.frames) << (row.fault ? row.fault : "");
        const json::Value v = json::parse(out_.str()).value;
        EXPECT_EQ(v.at("result"), row.says) << out_.str();
        EXPECT_EQ(v.at("holds"), row.holds) << out_.str();
        // The hash is that of what the device holds: what was sent, what
        // was read back, what it held before.
        const OpticsBytes held = sim.device().optics();
        EXPECT_EQ(v.at("optics_sha256"), sha256_hex(std::vector<std::uint8_t>(held.begin(), held.end())));
    }
    const std::vector<std::uint8_t> all = get(journal);
    const std::vector<std::string> rows_written = rows_of(std::string(all.begin(), all.end()));
    ASSERT_EQ(rows_written.size(), 4u); // the header and one row per run
    EXPECT_NE(rows_written[1].find(";write --verify;" + saved + ";"), std::string::npos) << rows_written[1];
}
