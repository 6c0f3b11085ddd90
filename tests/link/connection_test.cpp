// Connect, disconnect, the two clocks and supervision, against the simulated
// device over a real pseudo-terminal.

#include "app/link_controller.h"
#include "link/link_fixture.h"

#include "ui/numeric_edit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr int kStatus = 0x80;

using Connect = LinkFixture;

TEST_F(Connect, PortThatDoesNotExistLeavesOneStampedLine)
{
    choose_port(QStringLiteral("COM200"));
    click(ui().ConnectButton);
    EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Ошибка отрытия COM200")});
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_EQ(device().frame_count(), 0u);
}

// A click as the window system queues it while the window is blocked.
void queue_click(QWidget* button)
{
    const QPointF at(button->width() / 2.0, button->height() / 2.0);
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

TEST_F(Connect, ClicksQueuedBeforeItStartsNoSecondConnect)
{
    struct Case {
        const char* name;
        int clicks;
        bool space_too; // a Space key on the focused button queued as well
    };
    for (const Case& c : {Case{"one", 1, false}, Case{"five", 5, false}, Case{"clicks and a key", 3, true}}) {
        SCOPED_TRACE(c.name);
        device().clear_received();
        ui().ConnectButton->setFocus();
        for (int n = 0; n < c.clicks; ++n)
            queue_click(ui().ConnectButton);
        if (c.space_too) {
            QCoreApplication::postEvent(ui().ConnectButton,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
            QCoreApplication::postEvent(
                ui().ConnectButton, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
        }
        process_events();
        EXPECT_EQ(received_codes(), std::vector<int>{kStatus});
        EXPECT_TRUE(app().link().link_is_open());
        EXPECT_EQ(log_lines().count(QStringLiteral("Устройство готово")), 1);
    }
    // A close request queued with the clicks asks no Exit question meanwhile.
    boxes().clear();
    queue_click(ui().ConnectButton);
    queue_click(ui().ConnectButton);
    QCoreApplication::postEvent(ui().MainWindow, new QCloseEvent);
    process_events();
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_TRUE(app().link().link_is_open());

    // A click after the connect has returned is a connect of its own.
    device().clear_received();
    click(ui().ConnectButton);
    EXPECT_EQ(received_codes(), std::vector<int>{kStatus});
}

TEST_F(Connect, ReadyDeviceWithTheSensorOn)
{
    device().set_lux(1234);
    device().set_sensor_on(true);
    ASSERT_TRUE(connect_device());
    EXPECT_EQ(
        log_lines(),
        (QStringList{QStringLiteral("14:05:09 ->COM1 Порт открыт"), QStringLiteral("Устройство готово"),
                     QStringLiteral("Оптический датчик вкл."), QStringLiteral("Освещенность 1234 Lux")}));
    EXPECT_EQ(received_codes(), std::vector<int>{kStatus});
}

TEST_F(Connect, ReadyDeviceWithTheSensorOffHasNoIlluminanceLine)
{
    device().set_lux(777);
    device().set_sensor_on(false);
    ASSERT_TRUE(connect_device());
    EXPECT_EQ(log_lines(),
              (QStringList{QStringLiteral("14:05:09 ->COM1 Порт открыт"), QStringLiteral("Устройство готово"),
                           QStringLiteral("Оптический датчик выкл.")}));
}

TEST_F(Connect, SilentDeviceIsAskedEightTimesThenLeft)
{
    ASSERT_TRUE(sim.set_fault("silence"));
    EXPECT_FALSE(connect_device());
    EXPECT_EQ(log_lines(),
              (QStringList{QStringLiteral("14:05:09 ->COM1 Порт открыт"),
                           QStringLiteral("Устройство не отвечает"), QStringLiteral("Связь разорвана")}));
    ASSERT_TRUE(device().wait_for_frames(8, std::chrono::seconds(2)));
    EXPECT_EQ(received_codes(), std::vector<int>(8, kStatus));
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(Connect, WrongDeviceTypeIsLeft)
{
    ASSERT_TRUE(sim.set_fault("wrong-type=7"));
    EXPECT_FALSE(connect_device());
    EXPECT_EQ(log_lines(), (QStringList{QStringLiteral("14:05:09 ->COM1 Порт открыт"),
                                        QStringLiteral("Данное уст. не поддерживается"),
                                        QStringLiteral("Связь разорвана")}));
    EXPECT_EQ(received_codes(), std::vector<int>{kStatus});
}

TEST_F(Connect, AnswersThatNeverCheckOutCountAsSilence)
{
    for (const char* fault : {"bad-checksum", "wrong-length", "of", "garbage"}) {
        SCOPED_TRACE(fault);
        device().set_faults({});
        device().clear_received();
        ASSERT_TRUE(sim.set_fault(fault));
        EXPECT_FALSE(connect_device());
        EXPECT_EQ(log_lines().mid(1),
                  (QStringList{QStringLiteral("Устройство не отвечает"), QStringLiteral("Связь разорвана")}));
        EXPECT_EQ(received_codes(), std::vector<int>(8, kStatus));
    }
}

TEST_F(Connect, EepromFaultAtConnect)
{
    const QStringList broken{QStringLiteral("Устройство не отвечает"), QStringLiteral("Связь разорвана")};
    const QStringList identified{QStringLiteral("Устройство готово"),
                                 QStringLiteral("Оптический датчик вкл."),
                                 QStringLiteral("Освещенность 1234 Lux")};
    const struct {
        const char* fault;
        MsgAnswer answer;
        bool connected;
        QStringList log; // after the port line
        std::vector<int> codes;
    } cases[] = {
        // A broken exchange is not repeated, and is reported like silence.
        {"os", MsgAnswer::Cancel, false, broken, {kStatus}},
        // "Да" repeats the status command, and the repeat identifies the
        // device: not the clock read as sensor and illuminance.
        {"os@80#1", MsgAnswer::Yes, true, identified, {kStatus, kStatus}},
        {"ol@80#1", MsgAnswer::Yes, true, identified, {kStatus, kStatus}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        device().set_faults({});
        device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26}); // hour 14: "выкл." if read as the sensor
        device().clear_received();
        boxes().shown.clear();
        ASSERT_TRUE(sim.set_fault(c.fault));
        boxes().answers = {c.answer};
        EXPECT_EQ(connect_device(), c.connected);
        EXPECT_EQ(boxes().shown.size(), 1u);
        EXPECT_EQ(log_lines().mid(1), c.log);
        EXPECT_EQ(received_codes(), c.codes);
    }
}

TEST_F(Connect, TimersRunningShowTheDeviceClockAndEnableTheButtons)
{
    device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    ASSERT_TRUE(connect_device());
    app().status_timer()->start(300);
    app().port_timer()->start(1000);
    pump(800); // two or more status ticks
    EXPECT_EQ(ui().DeviceDateEdit->text(), QStringLiteral("Пн. 07.12.2026  14:05:09"));
    EXPECT_EQ(ui().SystemDateEdit->text(), QStringLiteral("Пн. 07.12.2026  14:05:09"));
    EXPECT_TRUE(ui().WriteProgramButton->isEnabled());
    EXPECT_TRUE(ui().ReadProgramButton->isEnabled());
    EXPECT_TRUE(ui().DisconnectButton->isEnabled());
    EXPECT_GE(device().frame_count(), 2u);
    stop_timers();
}

TEST_F(Connect, ConnectingAgainClearsTheLogAndReopens)
{
    ASSERT_TRUE(connect_device());
    clock().advance_seconds(61);
    ASSERT_TRUE(connect_device());
    EXPECT_EQ(log_lines().first(), QStringLiteral("14:06:10 ->COM1 Порт открыт"));
    EXPECT_EQ(log_lines().size(), 4);
}

TEST_F(Connect, DisconnectClosesAnOpenLinkWithALine)
{
    click(ui().DisconnectButton); // enabled only by the tick; the handler itself does nothing
    EXPECT_TRUE(log_lines().isEmpty());
    ASSERT_TRUE(connect_device());
    status_tick();
    ASSERT_TRUE(ui().DisconnectButton->isEnabled());
    click(ui().DisconnectButton);
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Порт закрыт"));
    // The keyboard waits on ConnectButton. Fault: the tick disabled the
    // focused DisconnectButton and the focus fell onto SystemDateEdit.
    status_tick();
    EXPECT_EQ(ui().MainWindow->focusWidget(), ui().ConnectButton);
    const int lines = static_cast<int>(log_lines().size());
    app().link().supervision(); // nothing to supervise
    EXPECT_EQ(log_lines().size(), lines);
}

using Clocks = LinkFixture;

TEST_F(Clocks, SystemDateShowsTheComputersClock)
{
    app().link().clock_display();
    EXPECT_EQ(ui().SystemDateEdit->text(), QStringLiteral("Пн. 07.12.2026  14:05:09"));
    clock().set(QDateTime(QDate(2027, 1, 3), QTime(9, 3, 7)));
    app().link().clock_display();
    EXPECT_EQ(ui().SystemDateEdit->text(), QStringLiteral("Вс. 03.01.2027  09:03:07"));
}

struct ClockCase {
    const char* name;
    std::array<std::uint8_t, 7> bytes; // second, minute, hour, weekday, day, month, year - 2000
    const char* shown;                 // nullptr: the field keeps its text
};

class DeviceClock : public LinkFixture, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(DeviceClock, ShowsValidClockBytesOnly)
{
    ASSERT_TRUE(connect_device());
    device().set_status_reply(zuzo::sim::StatusReply::Clock);
    device().set_clock_bytes({1, 2, 3, 2, 8, 12, 26});
    app().link().supervision();
    const QString before = QStringLiteral("Вт. 08.12.2026  03:02:01");
    ASSERT_EQ(ui().DeviceDateEdit->text(), before);

    device().set_clock_bytes(GetParam().bytes);
    app().link().supervision();
    EXPECT_EQ(ui().DeviceDateEdit->text(), GetParam().shown ? QString::fromUtf8(GetParam().shown) : before);
    EXPECT_TRUE(app().link().link_is_open());
    EXPECT_TRUE(boxes().shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DeviceClock,
    ::testing::Values(ClockCase{"monday", {9, 5, 14, 1, 7, 12, 26}, "Пн. 07.12.2026  14:05:09"},
                      ClockCase{"sunday_edges", {59, 59, 0, 7, 31, 1, 0}, "Вс. 31.01.2000  00:59:59"},
                      ClockCase{"minute_60", {9, 60, 14, 1, 7, 12, 26}, nullptr},
                      ClockCase{"second_60", {60, 5, 14, 1, 7, 12, 26}, nullptr},
                      ClockCase{"hour_25", {9, 5, 25, 1, 7, 12, 26}, nullptr},
                      ClockCase{"weekday_0", {9, 5, 14, 0, 7, 12, 26}, nullptr},
                      ClockCase{"weekday_8", {9, 5, 14, 8, 7, 12, 26}, nullptr},
                      ClockCase{"day_0", {9, 5, 14, 1, 0, 12, 26}, nullptr},
                      ClockCase{"day_32", {9, 5, 14, 1, 32, 12, 26}, nullptr},
                      ClockCase{"month_0", {9, 5, 14, 1, 7, 0, 26}, nullptr},
                      ClockCase{"month_13", {9, 5, 14, 1, 7, 13, 26}, nullptr},
                      // In range but no real date: shown as the device reports it.
                      ClockCase{"hour_24", {0, 0, 24, 1, 7, 12, 26}, "Пн. 07.12.2026  24:00:00"},
                      ClockCase{"april_31", {0, 0, 12, 4, 31, 4, 26}, "Чт. 31.04.2026  12:00:00"}),
    [](const ::testing::TestParamInfo<ClockCase>& param) { return std::string(param.param.name); });

using Supervision = LinkFixture;

TEST_F(Supervision, SilenceAnsweredNoKeepsTheLinkAndAsksAgain)
{
    ASSERT_TRUE(connect_device());
    const QStringList before = log_lines();
    ASSERT_TRUE(sim.set_fault("silence"));
    device().clear_received();
    boxes().answers = {MsgAnswer::Ok, MsgAnswer::No};
    app().link().supervision();
    ASSERT_EQ(boxes().shown.size(), 2u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Устройство не отвечает."));
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Error);
    EXPECT_EQ(boxes().shown[1].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes().shown[1].text, QStringLiteral("Устройство не отвечает\nРазорвать связь?"));
    EXPECT_EQ(boxes().shown[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes().shown[1].icon, MsgIcon::Error);
    EXPECT_TRUE(app().link().link_is_open());
    EXPECT_EQ(log_lines(), before);
    ASSERT_TRUE(device().wait_for_frames(8, std::chrono::seconds(2)));
    EXPECT_EQ(received_codes(), std::vector<int>(8, kStatus));

    boxes().answers = {MsgAnswer::Ok, MsgAnswer::No};
    ui().DisconnectButton->setFocus(Qt::TabFocusReason);
    app().link().supervision();
    EXPECT_EQ(boxes().shown.size(), 4u);
    // The link stays: so does the keyboard.
    EXPECT_EQ(ui().MainWindow->focusWidget(), ui().DisconnectButton);
    ASSERT_TRUE(device().wait_for_frames(16, std::chrono::seconds(2)));
    EXPECT_TRUE(app().link().link_is_open());
}

TEST_F(Supervision, SilenceAnsweredYesClosesTheLink)
{
    ASSERT_TRUE(connect_device());
    ASSERT_TRUE(sim.set_fault("silence"));
    boxes().answers = {MsgAnswer::Ok, MsgAnswer::Yes};
    app().link().supervision();
    EXPECT_EQ(boxes().shown.size(), 2u);
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Устройство не отвечает. Закрыт  COM1"));
}

TEST_F(Supervision, VanishedPortClosesTheLinkNamingTheChosenPort)
{
    ASSERT_TRUE(connect_device());
    status_tick();
    ui().DisconnectButton->setFocus(Qt::TabFocusReason);
    choose_port(QStringLiteral("COM3")); // chosen after connecting: the line names it
    sim.stop();
    app().link().supervision();
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Авария, закрыт  COM3"));
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Самопроизвольно закрылся порт"));
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Error);
    // The tick then disables the transfer buttons; the keyboard waits on
    // ConnectButton. Fault: it fell onto SystemDateEdit after the box.
    status_tick();
    EXPECT_FALSE(ui().WriteProgramButton->isEnabled());
    EXPECT_FALSE(ui().DisconnectButton->isEnabled());
    EXPECT_EQ(ui().MainWindow->focusWidget(), ui().ConnectButton);
}

TEST_F(Supervision, DeviceVanishingMidSessionIsTheSame)
{
    ASSERT_TRUE(connect_device());
    ASSERT_TRUE(sim.set_fault("vanish=0"));
    app().link().supervision();
    EXPECT_FALSE(app().link().link_is_open());
    EXPECT_EQ(log_lines().last(), QStringLiteral("14:05:09 -> Авария, закрыт  COM1"));
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Самопроизвольно закрылся порт"));
}

TEST_F(Supervision, EepromFaultAnsweredCancelBreaksTheLink)
{
    ASSERT_TRUE(connect_device());
    ASSERT_TRUE(sim.set_fault("ol"));
    boxes().answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    app().link().supervision();
    ASSERT_EQ(boxes().shown.size(), 2u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(boxes().shown[0].text.startsWith(QStringLiteral("Повреждена EEPROM внешняя\n")));
    EXPECT_EQ(boxes().shown[1].text, QStringLiteral("Самопроизвольно закрылся порт"));
    EXPECT_FALSE(app().link().link_is_open());
}

} // namespace
