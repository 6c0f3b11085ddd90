// A port already open elsewhere is refused and reported, whichever name
// reaches it and whoever holds it; the holder keeps working.

#include "app/link_controller.h"
#include "link/link_fixture.h"
#include "link/serial/serial_link.h"
#include "link/status_log.h"
#include "robustness/qt_print.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/json/json.h"

#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>

#include <chrono>
#include <sstream>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The names that reach the simulated device: its COM name in two letter
// cases, the folder's link, and the terminal itself.
std::vector<QString> names_of(SimFixture& sim)
{
    return {QStringLiteral("COM1"), QStringLiteral("com1"), QString::fromStdString(sim.link_path()),
            QString::fromStdString(sim.terminal_path())};
}

class PortBusy : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        if (HasFatalFailure())
            return;
        device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    }
};

TEST_F(PortBusy, SecondOpenInOneProcessIsRefusedByEveryName)
{
    SerialLink holder(sim.folder());
    ASSERT_TRUE(holder.open_link(QStringLiteral("COM1")));
    for (const QString& name : names_of(sim)) {
        SerialLink second(sim.folder());
        EXPECT_FALSE(second.open_link(name)) << name.toStdString();
        EXPECT_FALSE(second.link_is_open());
    }
    // The holder still talks to the device.
    zuzo::IoResult r = holder.run_io(zuzo::read_frame(zuzo::CMD_STATUS, 0, 0));
    EXPECT_EQ(r.status, zuzo::IoStatus::Done);
    EXPECT_NE(r.reply.find("on#\r"), std::string::npos) << r.reply;
    // Once let go, the port opens again.
    holder.close_link();
    SerialLink later(sim.folder());
    EXPECT_TRUE(later.open_link(QString::fromStdString(sim.terminal_path())));
}

TEST_F(PortBusy, ToolReportsAPortHeldByTheCompanion)
{
    SerialLink companion(sim.folder());
    ASSERT_TRUE(companion.open_link(QStringLiteral("COM1")));
    device().clear_received();
    EXPECT_FALSE(connect_device());
    EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Ошибка отрытия COM1")});
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_EQ(device().frame_count(), 0u);
    // Supervision and the transfers see no link and send nothing.
    status_tick();
    EXPECT_FALSE(ui().ReadProgramButton->isEnabled());
    EXPECT_EQ(device().frame_count(), 0u);
}

TEST_F(PortBusy, CompanionRefusesAPortHeldByTheTool)
{
    ASSERT_TRUE(connect_device());
    device().clear_received();
    std::ostringstream out, err;
    EXPECT_EQ(zuzo::cli::run_device_command({"status", "--port", "COM1"}, out, err), 1);
    EXPECT_EQ(err.str(), "COM1: не удалось открыть порт: порт занят другой программой\n");
    EXPECT_EQ(device().frame_count(), 0u);
    // The tool's link is untouched and keeps working.
    app().link().supervision();
    EXPECT_TRUE(app().link().link_is_open());
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_EQ(device().frame_count(), 1u);
}

TEST_F(PortBusy, PortHeldByAnotherProcessIsRefused)
{
    // The companion program, as its own process, asks a silent device: it
    // holds the port through its eight attempts.
    ASSERT_TRUE(sim.set_fault("silence"));
    device().clear_received();
    QProcess other;
    other.start(QStringLiteral(ZUZO_CLI_PATH), {QStringLiteral("device"), QStringLiteral("status"),
                                                QStringLiteral("--port"), QStringLiteral("COM1")});
    ASSERT_TRUE(other.waitForStarted(10000));
    // Its first frame shows that it has the port open.
    ASSERT_TRUE(device().wait_for_frames(1, 10s));
    EXPECT_FALSE(connect_device());
    const std::size_t frames_while_held = device().frame_count();
    ASSERT_TRUE(other.waitForFinished(30000));
    EXPECT_EQ(other.exitCode(), 1);
    EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Ошибка отрытия COM1")});
    EXPECT_LE(frames_while_held, 8u); // none of them the tool's
    // Once the other program has ended, the port is the tool's.
    device().set_faults({});
    EXPECT_TRUE(connect_device());
}

// Why a port did not open, in one line and in the JSON: a busy, a missing
// and a forbidden port used to read alike "не удалось открыть порт".
TEST_F(PortBusy, CompanionSaysWhyAPortDidNotOpen)
{
    const bool as_root =
        ::geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
    const struct {
        const char* fault; // what the row catches
        std::string port;
        bool held_by_tool;
        bool as_nobody; // run as an unprivileged user, who may not open the terminal
        const char* says;
        const char* name;
    } rows[] = {
        {"a busy port told as missing", "COM1", true, false, "порт занят другой программой", "busy"},
        {"a missing COM name told as busy", "COM150", false, false, "такого порта нет", "missing"},
        {"a missing device path told as busy", "/dev/zuzo-no-such-port", false, false, "такого порта нет",
         "missing"},
        {"a forbidden port told as busy", sim.terminal_path(), false, true,
         "нет прав на доступ к порту; в Linux порты открывают члены группы dialout: sudo usermod -aG dialout "
         "$USER, затем войдите в систему заново",
         "no_permission"},
    };
    for (const auto& row : rows) {
        if (row.held_by_tool) {
            ASSERT_TRUE(connect_device());
        }
        device().clear_received();
        std::string plain, json_text;
        if (row.as_nobody) {
            if (!as_root)
                continue; // only root can become another user here
            for (const bool json : {false, true}) {
                QProcess other;
                QStringList words{QStringLiteral("--reuid=65534"),  QStringLiteral("--regid=65534"),
                                  QStringLiteral("--clear-groups"), QStringLiteral(ZUZO_CLI_PATH),
                                  QStringLiteral("device"),         QStringLiteral("status"),
                                  QStringLiteral("--port"),         QString::fromStdString(row.port)};
                if (json)
                    words << QStringLiteral("--json");
                other.start(QStringLiteral("setpriv"), words);
                ASSERT_TRUE(other.waitForFinished(30000));
                EXPECT_EQ(other.exitCode(), 1) << row.fault;
                (json ? json_text : plain) =
                    (json ? other.readAllStandardOutput() : other.readAllStandardError()).toStdString();
            }
        } else {
            std::ostringstream out, err, json_out, json_err;
            EXPECT_EQ(zuzo::cli::run_device_command({"status", "--port", row.port}, out, err), 1)
                << row.fault;
            EXPECT_EQ(
                zuzo::cli::run_device_command({"status", "--port", row.port, "--json"}, json_out, json_err),
                1);
            plain = err.str();
            json_text = json_out.str();
        }
        EXPECT_EQ(plain, row.port + ": не удалось открыть порт: " + row.says + "\n") << row.fault;
        const zuzo::json::ParseResult r = zuzo::json::parse(json_text);
        ASSERT_EQ(r.status, zuzo::json::ParseStatus::Ok) << json_text;
        EXPECT_EQ(r.value.at("outcome"), "port_failed");
        EXPECT_EQ(r.value.at("port_error"), row.name) << row.fault;
        EXPECT_EQ(r.value.at("result"), std::string("не удалось открыть порт: ") + row.says);
        EXPECT_EQ(device().frame_count(), 0u) << row.fault;
        if (row.held_by_tool)
            app().link().close_link();
    }
}

} // namespace
