// A port already open elsewhere is refused and reported, whichever name
// reaches it and whoever holds it; the holder keeps working.

#include "app/link_controller.h"
#include "link/link_fixture.h"
#include "link/serial_link.h"
#include "link/status_log.h"
#include "robustness/qt_print.h"
#include "tools/zuzo/device_commands.h"

#include <QProcess>
#include <QPushButton>
#include <QStringList>

#include <chrono>
#include <sstream>

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
    EXPECT_NE(err.str().find("COM1: не удалось открыть порт"), std::string::npos) << err.str();
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

} // namespace
