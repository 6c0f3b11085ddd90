// "zuzo device ... --ports": one command on several simulated devices at
// once, each on a pseudo-terminal of its own.

#include "link/core/optics_bytes.h"
#include "program/core/ptm_format.h"
#include "support/cli_fixture.h"
#include "support/sample_programs.h"
#include "support/sim_fixture.h"
#include "tools/devsim/fault_names.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/core/interrupt.h"
#include "tools/zuzo/json/json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace zuzo;
using namespace zuzo::cli;

namespace {

constexpr std::chrono::seconds kBound{20}; // for a loaded machine

// A further simulated device, published beside the fixture's.
struct ExtraDevice {
    sim::SimDevice device;
    sim::PtyServer server{device};
};

class FleetCommands : public CliFixture {
protected:
    // COM5 is the fixture's device, COM6 and COM7 further ones; a fault "-"
    // leaves the port without a device.
    // Fresh devices each time.
    void start(const std::vector<std::string>& faults)
    {
        extra.clear(); // before the fixture that holds their folder
        fixture.reset();
        fixture = std::make_unique<SimFixture>();
        ASSERT_TRUE(fixture->start("COM5"));
        for (const char* name : {"COM6", "COM7"}) {
            extra.push_back(std::make_unique<ExtraDevice>());
            ASSERT_EQ(extra.back()->server.start(fixture->folder(), name), sim::ServeResult::Started);
        }
        for (std::size_t k = 0; k < faults.size(); ++k) {
            if (faults[k] == "-") {
                k == 0 ? fixture->stop() : extra[k - 1]->server.stop();
            } else if (!faults[k].empty()) {
                sim::Faults f;
                ASSERT_TRUE(sim::apply_fault(faults[k], f)) << faults[k];
                device(k).set_faults(f);
            }
        }
    }

    sim::SimDevice& device(std::size_t k) { return k == 0 ? fixture->device() : extra[k - 1]->device; }

    int run(const std::vector<std::string>& args)
    {
        out_.str({});
        err_.str({});
        return run_device_command(args, out_, err_);
    }

    void TearDown() override
    {
        extra.clear();
        fixture.reset();
    }

    std::unique_ptr<SimFixture> fixture;
    std::vector<std::unique_ptr<ExtraDevice>> extra;
};

} // namespace

// Each device's outcome stands on its own: a missing, silent or damaged one
// does not stop the others, every device gets its row, and the exit code is
// that of the worst. Ctrl+C stops the ports between exchanges and tells what
// each device holds.
TEST_F(FleetCommands, EachDeviceHasItsOwnOutcome)
{
    const struct {
        const char* name;
        std::vector<std::string> faults; // COM5, COM6, COM7
        std::vector<std::string> outcomes;
        int exit_code;
        bool ctrl_c = false; // the terminal closes (SIGHUP) once COM6 waits for its answer to 0B
    } rows[] = {
        {"all well", {"", "", ""}, {"done", "done", "done"}, 0},
        {"one missing", {"", "-", ""}, {"done", "port_failed", "done"}, 1},
        {"one silent", {"", "silence", ""}, {"done", "device_failed", "done"}, 1},
        {"one EEPROM fault", {"", "os@0A#1", ""}, {"done", "eeprom_fault", "done"}, 1},
        {"hang-up", {"", "ignore=0B", ""}, {"*", "stopped", "*"}, 130, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        start(row.faults);
        const DeviceProgram p = sound_program();
        const std::string file = path("p.ptm");
        put(file, write_ptm(p));
        const std::string journal = path(std::string(row.name) + ".csv");
        std::thread presser;
        if (row.ctrl_c)
            presser = std::thread([this] {
                // Status twice, three reads, 0A, then 0B unanswered.
                if (device(1).wait_for_frames(7, kBound))
                    std::raise(SIGHUP);
            });
        const int code =
            run({"write", "--verify", "--ports", "COM5-COM7", file, "--json", "--journal", journal});
        if (presser.joinable())
            presser.join();
        EXPECT_EQ(code, row.exit_code) << out_.str() << err_.str();
        const json::ParseResult r = json::parse(out_.str());
        ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
        const json::Value& devices = r.value.at("devices");
        ASSERT_EQ(devices.size(), 3u);
        EXPECT_EQ(r.value.at("summary").at("exit_code"), row.exit_code);
        EXPECT_EQ(r.value.at("summary").at("stopped"), row.ctrl_c);
        for (std::size_t k = 0; k < 3; ++k) {
            const json::Value& d = devices[k];
            EXPECT_EQ(d.at("port"), "COM" + std::to_string(5 + k));
            const std::string outcome = d.at("outcome").get<std::string>();
            // Under Ctrl+C a device that was quick is done, a slow one stopped.
            if (row.outcomes[k] == "*") {
                EXPECT_TRUE(outcome == "done" || outcome == "stopped") << outcome;
            } else {
                EXPECT_EQ(outcome, row.outcomes[k]) << d.dump();
            }
            if (outcome == "done") {
                EXPECT_EQ(d.at("holds"), "verified");
                EXPECT_EQ(device(k).optics(), optics_write_bytes(p).value());
            }
        }
        if (row.ctrl_c) {
            // Told as the device read back holds it.
            EXPECT_EQ(devices[1].at("holds"), "part_written");
            EXPECT_EQ(devices[1].at("holds_read_back"), true);
            EXPECT_TRUE(devices[1].at("result").get<std::string>().ends_with(
                "остановлено по сигналу SIGHUP; прочитано обратно: в устройстве только часть 1 настроек "
                "оптики из файла"))
                << devices[1].dump();
            const OpticsBytes held = device(1).optics();
            const OpticsBytes sent = optics_write_bytes(p).value();
            EXPECT_TRUE(std::equal(held.begin(), held.begin() + 12, sent.begin()));
            EXPECT_FALSE(std::equal(held.begin() + 12, held.end(), sent.begin() + 12));
        }
        // A row per device, after the header.
        const std::string rows_text = text(journal);
        EXPECT_EQ(std::count(rows_text.begin(), rows_text.end(), '\n'), 4) << rows_text;
        for (const char* port : {";COM5;", ";COM6;", ";COM7;"})
            EXPECT_NE(rows_text.find(port), std::string::npos) << port;
    }
}

// Without --json: a line per device as it finishes, then the summary.
TEST_F(FleetCommands, PlainLinesThenTheSummary)
{
    start({"", "", "-"});
    put(path("p.ptm"), write_ptm(sound_program()));
    EXPECT_EQ(run({"verify", "--ports", "COM5,COM6,COM7", path("p.ptm")}), 1);
    const std::string out = out_.str();
    EXPECT_NE(out.find("COM5: настройки оптики в устройстве отличаются от файла"), std::string::npos) << out;
    EXPECT_NE(out.find("    module_min_brightness: в файле 30 %, в устройстве 50 %"), std::string::npos)
        << out;
    EXPECT_NE(out.find("COM7: не удалось открыть порт: такого порта нет\n"), std::string::npos) << out;
    // The missing port (1) is worse than the devices that differ (3).
    EXPECT_EQ(out.substr(out.rfind("Итог:")),
              "Итог: успешно 0 из 3; не выполнено: COM5 — отличается от файла, COM6 — отличается от файла, "
              "COM7 — порт не открылся; код возврата 1\n");
    EXPECT_TRUE(err_.str().empty()) << err_.str();
}

// The first Ctrl+C, kill (SIGTERM) or closed terminal (SIGHUP) is only
// noted while a watch lives, and named; the signal goes back to what had it
// before once the watch ends.
TEST(InterruptWatch, NotesTheFirstStopAndGivesTheSignalBack)
{
    const struct {
        int signal;
        const char* words;
    } rows[] = {{SIGINT, "Ctrl+C"}, {SIGTERM, "сигналу SIGTERM"}, {SIGHUP, "сигналу SIGHUP"}};
    for (const auto& row : rows) {
        struct sigaction before {};
        sigaction(row.signal, nullptr, &before);
        {
            const InterruptWatch watch;
            EXPECT_FALSE(interrupted());
            std::raise(row.signal);
            EXPECT_TRUE(interrupted());
            EXPECT_STREQ(interrupt_words(), row.words);
        }
        struct sigaction after {};
        sigaction(row.signal, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << row.words;
    }
    const InterruptWatch again;
    EXPECT_FALSE(interrupted()); // a new watch forgets the old key
}
