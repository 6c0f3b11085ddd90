// The field kit against simulators on pseudo-terminals: "zuzo device find"
// over many ports at once, and "zuzo port test" against the simulator as a
// loopback plug, with and without an adapter's latency, and against a line
// with nothing on its far end.

#include "link/core/port_names_posix.h"
#include "support/sim_fixture.h"
#include "tools/zuzo/commands/cli.h"
#include "tools/zuzo/commands/device_find.h"
#include "tools/zuzo/json/json.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zuzo;
using namespace zuzo::cli;

namespace {

// A further simulated device, published beside the fixture's.
struct ExtraDevice {
    sim::SimDevice device;
    sim::PtyServer server{device};
};

json::Value parsed(const std::string& text)
{
    const json::ParseResult r = json::parse(text);
    EXPECT_EQ(r.status, json::ParseStatus::Ok) << text;
    return r.value;
}

} // namespace

// Eight simulators as COM11..COM18, each with an illuminance of its own;
// COM13 never answers and COM14 has gone. The system's list holds the seven
// that are there (no device of the machine's own: an empty device folder);
// --ports may name the missing one too.
TEST(DeviceFind, AnswersSilenceAndMissingPortsAtOnce)
{
    SimFixture fixture;
    ASSERT_TRUE(fixture.start("COM11"));
    fixture.device().set_lux(111);
    std::vector<std::unique_ptr<ExtraDevice>> extra;
    for (int n = 12; n <= 18; ++n) {
        extra.push_back(std::make_unique<ExtraDevice>());
        extra.back()->device.set_lux(100 + n);
        ASSERT_EQ(extra.back()->server.start(fixture.folder(), com_name(n)), sim::ServeResult::Started);
    }
    extra[0]->device.set_clock_offset(-90);
    sim::Faults silent;
    silent.silence = true;
    extra[1]->device.set_faults(silent);
    extra[2]->server.stop();
    QTemporaryDir no_devices;
    SystemPortLister lister(fixture.folder(), no_devices.path().toStdString());

    const struct {
        std::vector<std::string> args;
        std::size_t ports;
        std::vector<std::string> found;
        int exit_code;
    } rows[] = {
        {{"--json"}, 7, {"COM11", "COM12", "COM15", "COM16", "COM17", "COM18"}, 0},
        {{"--ports", "COM11-COM19", "--json"}, 9, {"COM11", "COM12", "COM15", "COM16", "COM17", "COM18"}, 0},
        {{"--ports", "COM13,COM14", "--json"}, 2, {}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0]);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(run_device_find(row.args, out, err, lister), row.exit_code) << err.str();
        const json::Value v = parsed(out.str());
        EXPECT_EQ(v.at("found").get<std::vector<std::string>>(), row.found);
        EXPECT_EQ(v.at("exit_code"), row.exit_code);
        ASSERT_EQ(v.at("ports").size(), row.ports);
        for (const json::Value& p : v.at("ports")) {
            const int n = com_number(p.at("port").get<std::string>());
            if (n == 13) {
                EXPECT_EQ(p.at("outcome"), "silent");
            } else if (n == 14 || n == 19) {
                EXPECT_EQ(p.at("outcome"), "port_failed");
                EXPECT_EQ(p.at("port_error"), "missing");
            } else {
                EXPECT_EQ(p.at("outcome"), "found");
                EXPECT_EQ(p.at("device_type"), 25);
                EXPECT_EQ(p.at("illuminance"), n == 11 ? 111 : 100 + n) << p.dump(); // its own device's
                ASSERT_TRUE(p.at("clock_offset").is_number()) << p.dump();
                EXPECT_NEAR(p.at("clock_offset").get<double>(), n == 12 ? -90.0 : 0.0, 1.0);
            }
        }
    }

    // Without --json: the ports with a device first, then the rest, then the summary.
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_device_find({"--ports", "COM13,COM12"}, out, err, lister), 0);
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(
        line.rfind("COM12: отвечает устройство (тип устройства 25, датчик вкл., освещенность 112 Lux, часы "
                   "устройства 20",
                   0),
        0u)
        << out.str();
    std::getline(lines, line);
    EXPECT_EQ(line, "COM13: нет ответа");
    std::getline(lines, line);
    EXPECT_EQ(line, "Итог: опрошено портов: 2; устройство найдено на COM12; код возврата 0");
}

namespace {

// A line with nothing on its far end: a pseudo-terminal nobody reads.
class BareLine {
public:
    BareLine() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            path_ = ::ptsname(master_);
    }
    ~BareLine() { ::close(master_); }
    BareLine(const BareLine&) = delete;
    BareLine& operator=(const BareLine&) = delete;
    [[nodiscard]] const std::string& path() const { return path_; }

private:
    int master_;
    std::string path_;
};

} // namespace

// The simulator as a loopback plug: every byte comes back intact, also
// through an adapter that holds them; with nothing on the line, nothing
// comes back after one pattern, and the block says what to check.
TEST(PortTest, LoopbackPlugAdapterLatencyAndNothingAttached)
{
    BareLine bare;
    ASSERT_FALSE(bare.path().empty());
    const struct {
        const char* name;
        int latency_ms; // the plug behind an adapter; -1 the bare line, -2 no port at all
        const char* outcome;
        int exit_code;
        std::size_t trips;
    } rows[] = {
        {"plug", 0, "good", 0, 64},
        {"plug behind an adapter", 32, "good", 0, 64},
        {"nothing attached", -1, "nothing_back", 1, 1},
        {"no such port", -2, "port_failed", 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SimFixture sim;
        std::string port = row.latency_ms == -1 ? bare.path() : "COM150";
        if (row.latency_ms >= 0) {
            sim.server().set_line({true, std::chrono::milliseconds(row.latency_ms)});
            ASSERT_TRUE(sim.start("COM150"));
        }
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(run_args({"port", "test", port, "--json"}, out, err), row.exit_code) << err.str();
        const json::Value v = parsed(out.str());
        EXPECT_EQ(v.at("outcome"), row.outcome) << out.str();
        EXPECT_EQ(v.at("round_trips"), row.trips);
        EXPECT_EQ(v.at("intact"), row.exit_code == 0);
        if (row.exit_code == 0) {
            EXPECT_EQ(
                v.at("bytes"),
                json::parse(R"({"sent": 1024, "back": 1024, "lost": 0, "altered": 0, "extra": 0})").value);
            EXPECT_EQ(v.at("reply_wait_holds"), true);
        } else {
            EXPECT_TRUE(v.at("latency_ms").is_null());
        }
        // The adapter's timer runs out at another point of each pattern's
        // time: over 64 trips the hold reaches well into its period.
        if (row.latency_ms > 0) {
            EXPECT_GE(v.at("latency_ms").at("worst").get<double>(), row.latency_ms / 4.0) << out.str();
        }
    }

    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_args({"port", "test", bare.path()}, out, err), 1);
    EXPECT_NE(out.str().find("\n  что проверить: заглушка"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\nИтог: ничего не вернулось; код возврата 1\n"), std::string::npos)
        << out.str();
}
