// Program write and read against the simulated device: the frames sent, the
// progress, the log, Stop, the gate, EEPROM faults, and what a read stores.

#include "app/link_controller.h"
#include "link/core/optics_bytes.h"
#include "link/link_fixture.h"
#include "link/status_log.h"
#include "link/transfer_progress_window.h"
#include "support/sample_programs.h"

#include "ui/warning_picture.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kWriteA = 10;
constexpr int kWriteB = 11;
constexpr int kReadA = 0x87;
constexpr int kReadB = 0x88;
constexpr int kReadC = 0x89;

class Transfer : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        ASSERT_TRUE(connect_device());
        status_tick(); // enables the transfer buttons
        ASSERT_TRUE(ui().WriteProgramButton->isEnabled());
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QStringLiteral("TransferProgressWindow"))
                window = qobject_cast<TransferProgressWindow*>(top);
        }
        ASSERT_NE(window, nullptr);
        QObject::connect(window->TransferProgressBar, &QProgressBar::valueChanged,
                         [this](int value) { progress.push_back(value); });
        device().clear_received();
        app().status_log().log_status(QString(), LOG_CLEAR);
    }

    // The lines the transfer wrote (the log was cleared before).
    QStringList transfer_lines() { return log_lines(); }

    // After the transfer: window closed, main window enabled with the focus
    // back on the button that started it, nothing busy.
    void expect_idle()
    {
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(ui().MainWindow->isEnabled());
        const QWidget* focus = ui().MainWindow->focusWidget();
        EXPECT_TRUE(focus == ui().WriteProgramButton || focus == ui().ReadProgramButton);
        EXPECT_EQ(ctx().busy, 0);
        EXPECT_TRUE(app().link().link_is_open()); // a transfer never changes the link
    }

    // The write is refused with the tool's box: nothing sent, no progress.
    // unsendable: the line under the message that names the value, if any.
    void refused_write_sends_nothing(const QString& unsendable = {});

    TransferProgressWindow* window = nullptr;
    std::vector<int> progress;
};

TEST_F(Transfer, ProgressWindowLooksAsItShould)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Обмен данными"));
    EXPECT_EQ(window->size(), QSize(461, 83));
    EXPECT_EQ(window->TransferStopButton->text(), QStringLiteral("Стоп"));
    EXPECT_EQ(window->TransferProgressBar->maximum(), 100);
    EXPECT_EQ(window->TransferSpareBar->value(), 0);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Transfer, WriteSendsTheTwoOpticsCommands)
{
    ctx().program.sensor_off_brightness = zuzo::BrightnessSet{10, 30, 50, 70, 90};
    ctx().program.evening_lux_threshold = 200;
    ctx().program.day_lux_threshold = 2000;
    const zuzo::OpticsBytes expected = zuzo::optics_write_bytes(ctx().program).value();

    click(ui().WriteProgramButton);

    EXPECT_EQ(transfer_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт запись программы"),
                                             QStringLiteral("14:05:09 -> Программа записана")}));
    EXPECT_EQ(progress, (std::vector<int>{4, 7}));
    EXPECT_EQ(received_codes(), (std::vector<int>{kWriteA, kWriteB}));
    const std::vector<zuzo::sim::Received> frames = device().received();
    ASSERT_EQ(frames.size(), 2u);
    const zuzo::WriteParams a = zuzo::write_a_params(expected);
    const zuzo::WriteParams b = zuzo::write_b_params(expected);
    EXPECT_EQ(frames[0].frame.params, std::vector<std::uint8_t>(a.begin(), a.end()));
    EXPECT_EQ(frames[1].frame.params, std::vector<std::uint8_t>(b.begin(), b.end()));
    EXPECT_EQ(frames[0].frame.params[0], 26); // 10 %
    EXPECT_EQ(frames[0].frame.params[1], 76); // 30 %
    EXPECT_EQ(device().optics(), expected);
    expect_idle();
}

TEST_F(Transfer, ReadStoresEveryOpticsField)
{
    const zuzo::DeviceProgram before = ctx().program;
    const zuzo::DeviceProgram expected = distinct_optics(before);
    device().set_optics(zuzo::optics_write_bytes(expected).value());
    click(ui().ReadProgramButton);

    // Every optics field replaced; the plan and the sound settings are not
    // part of a transfer.
    EXPECT_EQ(ctx().program, expected);
    EXPECT_EQ(transfer_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт чтения программы"),
                                             QStringLiteral("14:05:09 -> Программа считана")}));
    EXPECT_EQ(progress, (std::vector<int>{4, 7, 10}));
    EXPECT_EQ(received_codes(), (std::vector<int>{kReadA, kReadB, kReadC}));
    // The optics tab was rebuilt from the program: the set of the mode that
    // the sensor setting selects is on show.
    const zuzo::EditMode mode =
        zuzo::edit_mode(ui().OpticalSensorCombo->currentIndex(), ui().DarkThresholdOption->isChecked(),
                        ui().LightThresholdOption->isChecked());
    ASSERT_NE(zuzo::brightness_set(expected, mode), nullptr);
    EXPECT_EQ(ui().ChannelSlider[1]->value(), zuzo::brightness_set(expected, mode)->module_red);
    expect_idle();
}

TEST_F(Transfer, GateRefusalSendsNothing)
{
    // A broken rule, and values from a file that would reach the device
    // squeezed into range while every rule passes: the message names them,
    // with why.
    const struct {
        const char* fault;
        void (*set)(AppContext&);
        QString unsendable;
    } cases[] = {
        {"a broken rule let through", [](AppContext& c) { c.ui.LuxThresholdWarning->setUserData(1); }, {}},
        {"70000 Lux sent as 65535", [](AppContext& c) { c.program.day_lux_threshold = 70000; },
         "Порог освещенности, дневное время: 70000 Lux вне диапазона 0..65535 Lux: устройство хранит порог "
         "двумя байтами"},
        {"150 % sent as 100 %", [](AppContext& c) { c.program.sensor_off_brightness.module_red = 150; },
         "Яркость модуля, с выкл. датчиком, красный: 150 % вне диапазона 0..100 %: устройство хранит яркость "
         "одним байтом"},
        {"sensor 7 sent as on", [](AppContext& c) { c.program.optical_sensor_on = 7; },
         "Оптический датчик: 7: датчик задается только 0 (выкл.) или 1 (вкл.)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const zuzo::DeviceProgram kept = ctx().program;
        const int warning = ui().LuxThresholdWarning->userData();
        boxes().shown.clear();
        progress.clear();
        app().status_log().log_status(QString(), LOG_CLEAR);
        c.set(ctx());
        refused_write_sends_nothing(c.unsendable);
        ctx().program = kept;
        ui().LuxThresholdWarning->setUserData(warning);
    }
}

void Transfer::refused_write_sends_nothing(const QString& unsendable)
{
    click(ui().WriteProgramButton);
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("В составленной программе обнаружены ошибки.\n"
                                                    "Система запрещает производить некорректную запись\n") +
                                         unsendable);
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(transfer_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт запись программы"),
                                             QStringLiteral("14:05:09 -> Команда не выполнена")}));
    EXPECT_EQ(device().frame_count(), 0u);
    EXPECT_TRUE(progress.empty());
    expect_idle();
}

TEST_F(Transfer, ReadWithADeviceAnsweringOnlyTheFirstCommand)
{
    const zuzo::DeviceProgram before = ctx().program;
    const zuzo::DeviceProgram stored = distinct_optics(before);
    device().set_optics(zuzo::optics_write_bytes(stored).value());
    ASSERT_TRUE(sim.set_fault("ignore=88"));
    ASSERT_TRUE(sim.set_fault("ignore=89"));
    click(ui().ReadProgramButton);

    std::vector<int> expected_codes{kReadA};
    expected_codes.insert(expected_codes.end(), 8, kReadB);
    ASSERT_TRUE(device().wait_for_frames(9, std::chrono::seconds(2)));
    EXPECT_EQ(received_codes(), expected_codes);
    EXPECT_EQ(transfer_lines().last(), QStringLiteral("14:05:09 -> Команда не выполнена"));
    EXPECT_EQ(progress, std::vector<int>{4});
    // The ten fields of the first reply are replaced, the others kept.
    EXPECT_EQ(ctx().program.sensor_off_brightness, stored.sensor_off_brightness);
    EXPECT_EQ(ctx().program.evening_brightness.module_red, stored.evening_brightness.module_red);
    EXPECT_EQ(ctx().program.evening_brightness.module_yellow, stored.evening_brightness.module_yellow);
    EXPECT_EQ(ctx().program.day_brightness.module_green, stored.day_brightness.module_green);
    EXPECT_EQ(ctx().program.day_brightness.module_yellow, before.day_brightness.module_yellow);
    EXPECT_EQ(ctx().program.evening_lux_threshold, before.evening_lux_threshold);
    EXPECT_EQ(ctx().program.day_lux_threshold, before.day_lux_threshold);
    expect_idle();
}

TEST_F(Transfer, StopEndsTheTransferBeforeTheNextAttempt)
{
    ASSERT_TRUE(sim.set_fault("silence"));
    // Clicked while the first attempt waits; seen at the next Stop check.
    QTimer::singleShot(100, window, [this] {
        ASSERT_TRUE(window->isVisible());
        ASSERT_TRUE(window->TransferStopButton->isEnabled());
        EXPECT_FALSE(window->close()); // its close box does nothing
        EXPECT_TRUE(window->isVisible());
        QTest::mouseClick(window->TransferStopButton, Qt::LeftButton);
    });
    click(ui().WriteProgramButton);
    EXPECT_EQ(transfer_lines().last(), QStringLiteral("14:05:09 -> Команда не выполнена"));
    EXPECT_GE(device().frame_count(), 1u);
    EXPECT_LT(device().frame_count(), 8u);
    for (int code : received_codes())
        EXPECT_EQ(code, kWriteA);
    expect_idle();
}

TEST_F(Transfer, ClicksAndTicksDuringATransferAreDropped)
{
    ASSERT_TRUE(sim.set_fault("silence"));
    int ticks_seen = 0;
    QTimer::singleShot(50, window, [this, &ticks_seen] {
        EXPECT_FALSE(ui().MainWindow->isEnabled());
        EXPECT_GT(ctx().busy, 0);
        ticks_seen = ctx().busy;
        status_tick(); // dropped: no supervision inside the transfer
        QTest::mouseClick(ui().DisconnectButton, Qt::LeftButton);
    });
    QTimer::singleShot(400, window,
                       [this] { QTest::mouseClick(window->TransferStopButton, Qt::LeftButton); });
    click(ui().ReadProgramButton);
    EXPECT_GT(ticks_seen, 0);
    for (int code : received_codes())
        EXPECT_EQ(code, kReadA); // no status command in between
    expect_idle();
}

TEST_F(Transfer, EepromFaultSkippedInAReadGivesBytesOf255)
{
    ASSERT_TRUE(sim.set_fault("os"));
    boxes().default_answer = MsgAnswer::No; // skip
    click(ui().ReadProgramButton);
    ASSERT_EQ(boxes().shown.size(), 3u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Внимание!"));
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Повреждена EEPROM микроконтроллера\n"
                                                    "Повтор операции, нажмите “ДА”\n"
                                                    "Пропустить ошибку, нажмите “НЕТ”\n"
                                                    "Разрыв связи, нажмите “ОТМЕНА”\n"));
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Error);
    EXPECT_EQ(ctx().program.sensor_off_brightness, zuzo::BrightnessSet::all(100));
    EXPECT_EQ(ctx().program.day_brightness, zuzo::BrightnessSet::all(100));
    EXPECT_EQ(ctx().program.optical_sensor_on, -254);
    EXPECT_EQ(ctx().program.evening_lux_threshold, 65535);
    EXPECT_EQ(ctx().program.day_lux_threshold, 65535);
    EXPECT_EQ(transfer_lines().last(), QStringLiteral("14:05:09 -> Программа считана"));
    EXPECT_EQ(progress, (std::vector<int>{4, 7, 10}));
    expect_idle();
}

TEST_F(Transfer, EepromFaultInAWriteAnsweredNoBreaksOff)
{
    ASSERT_TRUE(sim.set_fault("ol"));
    boxes().answers = {MsgAnswer::No};
    click(ui().WriteProgramButton);
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].text, QStringLiteral("Повреждена EEPROM внешняя\n"
                                                    "Для повтора операции нажмите “ДА”\n"
                                                    "Для разрыва связи нажмите “НЕТ”\n"));
    // Fault: Escape or the close box answered "Нет" and so broke the link.
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::YesNoOnly);
    EXPECT_EQ(received_codes(), std::vector<int>{kWriteA});
    EXPECT_EQ(transfer_lines().last(), QStringLiteral("14:05:09 -> Команда не выполнена"));
    EXPECT_TRUE(progress.empty());
    expect_idle(); // the link stays open until supervision or the user closes it
}

TEST_F(Transfer, EepromFaultAnsweredYesRepeatsTheSameCommand)
{
    ASSERT_TRUE(sim.set_fault("os"));
    ASSERT_TRUE(sim.set_fault("faulty-frames=1"));
    boxes().answers = {MsgAnswer::Yes};
    click(ui().ReadProgramButton);
    EXPECT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(received_codes(), (std::vector<int>{kReadA, kReadA, kReadB, kReadC}));
    EXPECT_EQ(transfer_lines().last(), QStringLiteral("14:05:09 -> Программа считана"));
    expect_idle();
}

} // namespace
