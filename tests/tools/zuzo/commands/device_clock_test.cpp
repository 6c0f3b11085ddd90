// The device clock's offset from the computer's: told by status, judged by
// --max-clock-offset, kept in the journal's column.

#include "link/core/optics_bytes.h"
#include "program/core/ptm_format.h"
#include "support/device_fixture.h"
#include "support/sample_programs.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/json/json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace zuzo;
using namespace zuzo::cli;

using DeviceClockOffset = DeviceFixture;

// The simulator's clock run ahead or behind: status tells the offset in
// seconds (whole seconds both ways, so within a second of it).
TEST_F(DeviceClockOffset, StatusTellsTheClockOffset)
{
    for (const long long ahead : {3600LL, -90LL}) {
        sim.device().set_clock_offset(ahead);
        ASSERT_EQ(run({"status", "--port", "COM5"}), 0) << err_.str();
        const json::ParseResult r = json::parse(out_.str());
        ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
        EXPECT_NEAR(r.value.at("clock_offset").get<double>(), static_cast<double>(ahead), 1.0) << out_.str();
    }
}

// --max-clock-offset: exit 4 when the clock is further off than allowed or
// gives no date; the command's own output stands.
TEST_F(DeviceClockOffset, MaxClockOffset)
{
    const std::string saved = save("p.ptm", sound_program());
    sim.device().set_optics(optics_write_bytes(sound_program()).value());
    const struct {
        std::vector<std::string> args;
        long long ahead;  // the simulator's clock
        bool clock_bytes; // instead: a clock that gives no date
        int exit_code;
        const char* says; // on err, after "COM5: "
    } rows[] = {
        {{"status", "--max-clock-offset", "60"},
         -90,
         false,
         4,
         "устройство готово; часы устройства расходятся с часами компьютера на -9"},
        {{"status", "--max-clock-offset", "120"}, -90, false, 0, ""},
        {{"verify", saved, "--max-clock-offset", "60"},
         3600,
         false,
         4,
         "настройки оптики в устройстве совпадают с файлом; часы устройства расходятся"},
        {{"write", "--verify", saved, "--max-clock-offset", "3600"},
         0,
         true,
         4,
         "настройки оптики записаны и прочитаны обратно: совпадают с файлом; часы устройства не прочитаны"},
    };
    for (const auto& row : rows) {
        if (row.clock_bytes)
            sim.device().set_clock_bytes({0, 0, 24, 4, 31, 4, 26}); // 31 April, hour 24
        else
            sim.device().set_clock_offset(row.ahead);
        std::vector<std::string> args = row.args;
        args.insert(args.begin() + 1, {"--port", "COM5"});
        EXPECT_EQ(run(args), row.exit_code) << row.args[0] << " " << err_.str();
        EXPECT_EQ(err_.str().rfind(std::string(row.exit_code == 0 ? "" : "COM5: ") + row.says, 0), 0u)
            << err_.str();
        if (row.args[0] == "verify") {
            EXPECT_EQ(out_.str(), "Настройки оптики в устройстве совпадают с файлом\n");
        }
    }
}

// A journal begun before the clock offset had its column keeps its nine
// columns: a row of ten would shift every column after the clock.
TEST_F(DeviceClockOffset, JournalKeepsTheColumnsItWasBegunWith)
{
    const std::string saved = save("p.ptm", sound_program());
    const std::string journal = path("old.csv");
    const std::string old_header = "\xEF\xBB\xBFДата и время;Порт;Тип устройства;Часы устройства;Команда;"
                                   "Файл программы;SHA-256 оптики;Результат;Код возврата\r\n";
    put(journal, old_header);
    ASSERT_EQ(run({"write", "--port", "COM5", saved, "--journal", journal}), 0) << err_.str();
    const std::string all = text(journal);
    const std::string row = all.substr(old_header.size());
    EXPECT_EQ(std::count(row.begin(), row.end(), '\n'), 1) << all;
    EXPECT_EQ(std::count(row.begin(), row.end(), ';'), 8) << row;
    EXPECT_EQ(text(journal).rfind(old_header, 0), 0u);
}
