// The device side of the link with no widget at all: a connection and a
// transfer report what happens through their signals only, in the order the
// window shows it.

#include "link/box_fault_prompt.h"
#include "link/connection.h"
#include "link/link_host.h"
#include "link/program_transfer.h"
#include "link/serial/serial_link.h"
#include "link/status_log.h"
#include "program/core/device_program.h"
#include "support/scripted_seams.h"
#include "support/sim_fixture.h"

#include <QApplication>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

class LinkReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start("COM1"));
        const auto line = [this](const QString& text, int mode) {
            const char* kinds[] = {"plain", "clear", "stamped"};
            seen << QString::fromLatin1(kinds[mode]) + QLatin1Char(' ') + text;
        };
        QObject::connect(&connection, &Connection::logged, line);
        QObject::connect(&connection, &Connection::waiting, [this] { seen << "waiting"; });
        QObject::connect(&connection, &Connection::systemDateShown, [this](const QString& t) { seen << t; });
        QObject::connect(&transfer, &ProgramTransfer::logged, line);
        QObject::connect(&transfer, &ProgramTransfer::started, [this] { seen << "started"; });
        QObject::connect(&transfer, &ProgramTransfer::progressed,
                         [this](int v) { seen << QString::number(v); });
        QObject::connect(&transfer, &ProgramTransfer::finished, [this] { seen << "finished"; });
        QObject::connect(&transfer, &ProgramTransfer::programReplaced, [this] { seen << "replaced"; });
    }

    SimFixture sim;
    ScriptedBoxes boxes;
    FixedClock clock;
    int busy = 0;
    bool allowed = true;
    LinkHost host{
        boxes, nullptr, clock, busy, [] { return QStringLiteral("COM1"); }, [this] { return allowed; }};
    SerialLink link{sim.folder()};
    BoxFaultPrompt prompt{boxes, nullptr};
    zuzo::DeviceProgram program;
    Connection connection{link, prompt, host};
    ProgramTransfer transfer{link, prompt, program, host};
    QStringList seen;
};

// The reports, one a line, for readable failures.
std::string lines(const QStringList& list)
{
    return list.join(QLatin1Char('\n')).toStdString();
}

// A report that goes to a widget of its own instead of a signal, or comes
// out of the order the log shows, fails here: no window exists.
TEST_F(LinkReports, ConnectThenWriteWithNoWidget)
{
    ASSERT_TRUE(QApplication::topLevelWidgets().isEmpty());
    connection.connect_device();
    transfer.write_program();
    EXPECT_EQ(lines(seen), lines({"clear ", "plain Ждите!!!", "waiting", "clear ", "stamped COM1 Порт открыт",
                                  "plain Устройство готово", "plain Оптический датчик вкл.",
                                  "plain Освещенность 1234 Lux", "stamped  Старт запись программы", "started",
                                  "4", "7", "stamped  Программа записана", "finished"}));
    EXPECT_TRUE(boxes.shown.empty());
}

// The refusal still opens and closes the progress; a read reports the
// replaced program after the window closed.
TEST_F(LinkReports, RefusedWriteThenReadThenClock)
{
    connection.connect_device();
    seen.clear();
    allowed = false;
    transfer.write_program();
    transfer.read_program();
    connection.clock_display();
    EXPECT_EQ(lines(seen),
              lines({"stamped  Старт запись программы", "started", "stamped  Команда не выполнена",
                     "finished", "stamped  Старт чтения программы", "started", "4", "7", "10",
                     "stamped  Программа считана", "finished", "replaced", "Пн. 07.12.2026  14:05:09"}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Внимание!"));
}

} // namespace
