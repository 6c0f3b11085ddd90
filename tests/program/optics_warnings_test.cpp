// The six optics warnings on real widgets: shown iff their code is non-zero,
// the code as user data, the explanation on a left click, and the write gate.

#include "program/optics_editor.h"
#include "program/optics_fixture.h"
#include "program/write_gate.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QComboBox>
#include <QSlider>

#include <functional>

namespace {

using zuzo::DeviceProgram;

struct WarningCase {
    const char* name;
    std::function<void(DeviceProgram&)> change;
    int warning; // 1..5 channel, 6 thresholds
    int code;
    QString text;
    MsgIcon icon;
};

class OpticsWarning : public OpticsFixture, public ::testing::WithParamInterface<WarningCase> {
protected:
    WarningPicture* picture(int k)
    {
        return k == 6 ? ui().LuxThresholdWarning : ui().ChannelWarning[static_cast<std::size_t>(k)];
    }
};

TEST_P(OpticsWarning, ShowsTheCodeAndExplainsItOnALeftClick)
{
    const WarningCase& k = GetParam();
    // Nothing beside a warning moves when it shows.
    const auto places = [this] {
        QList<QPoint> at = {ui().OpticalSensorCombo->pos()};
        for (std::size_t c = 1; c <= 5; ++c)
            at << ui().ChannelSlider[c]->pos() << ui().ChannelEdit[c]->pos();
        return at;
    };
    process_events();
    const QList<QPoint> before = places();
    k.change(p());
    app().optics().run_rules();
    process_events();
    EXPECT_EQ(places(), before);
    for (int w = 1; w <= 6; ++w) {
        SCOPED_TRACE(w);
        const int expected = w == k.warning ? k.code : 0;
        EXPECT_EQ(picture(w)->userData(), expected);
        EXPECT_EQ(picture(w)->isHidden(), expected == 0);
    }
    EXPECT_FALSE(write_gate_passes(ui()));

    click(picture(k.warning), Qt::RightButton);
    EXPECT_TRUE(shown().empty());
    click(picture(k.warning));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Ошибка!");
    EXPECT_EQ(shown()[0].text, k.text);
    EXPECT_EQ(shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(shown()[0].icon, k.icon);
}

const QString kModuleDayLow = "Яркость модуля, для дневного времени\nменьше минимально допустимой яркости";

INSTANTIATE_TEST_SUITE_P(
    Codes, OpticsWarning,
    ::testing::Values(
        WarningCase{"module_evening_above_day",
                    [](DeviceProgram& p) {
                        p.evening_brightness.module_red = 100;
                        p.day_brightness.module_red = 90;
                    },
                    1, 1, "Яркость модуля, для вечернего времени\nбольше яркости чем для дневного времени",
                    MsgIcon::Exclamation},
        WarningCase{"indicator_evening_above_day",
                    [](DeviceProgram& p) {
                        p.evening_brightness.indicator_green = 100;
                        p.day_brightness.indicator_green = 90;
                    },
                    5, 1,
                    "Яркость индикатора, для вечернего времени\nбольше яркости чем для дневного времени",
                    MsgIcon::Exclamation},
        WarningCase{
            "module_evening_below_min", [](DeviceProgram& p) { p.evening_brightness.module_yellow = 40; }, 3,
            3, "Яркость модуля, для вечернего времени\nменьше минимально допустимой яркости", MsgIcon::Error},
        WarningCase{"module_day_below_min", [](DeviceProgram& p) { p.day_brightness.module_green = 45; }, 2,
                    2, kModuleDayLow, MsgIcon::Error},
        WarningCase{"indicator_day_below_min", [](DeviceProgram& p) { p.day_brightness.indicator_red = 45; },
                    4, 2, "Яркость индикатора, для дневного времени\nменьше минимально допустимой яркости",
                    MsgIcon::Error},
        WarningCase{"indicator_sensor_off_low",
                    [](DeviceProgram& p) { p.sensor_off_brightness.indicator_red = 10; }, 4, 4,
                    "Яркость индикатора, с выкл. датчиком\nменьше минимально допустимой яркости",
                    MsgIcon::Error},
        WarningCase{"lux_equal",
                    [](DeviceProgram& p) {
                        p.evening_lux_threshold = 500;
                        p.day_lux_threshold = 500;
                    },
                    6, 5, "Освещенность в вечернее время \nбольше или равно, чем в дневное",
                    MsgIcon::Exclamation},
        WarningCase{"lux_zero", [](DeviceProgram& p) { p.day_lux_threshold = 0; }, 6, 6,
                    "Задано нулевое значение", MsgIcon::Exclamation},
        // Values from a file that the device cannot hold: the warning of
        // their channel, or of the thresholds, names them.
        WarningCase{
            "brightness_beyond_the_device",
            [](DeviceProgram& p) { p.sensor_off_brightness.module_red = 150; }, 1, 7,
            "Яркость модуля, с выкл. датчиком, красный: 150 % вне диапазона 0..100 %: устройство хранит "
            "яркость одним байтом",
            MsgIcon::Error},
        WarningCase{
            "threshold_beyond_the_device", [](DeviceProgram& p) { p.day_lux_threshold = 70000; }, 6, 7,
            "Порог освещенности, дневное время: 70000 Lux вне диапазона 0..65535 Lux: устройство хранит "
            "порог двумя байтами",
            MsgIcon::Error},
        // Where a rule finds a fault too, its own code and text come first.
        WarningCase{"rule_before_the_range_of_a_threshold",
                    [](DeviceProgram& p) {
                        p.evening_lux_threshold = 0;
                        p.day_lux_threshold = 70000;
                    },
                    6, 6, "Задано нулевое значение", MsgIcon::Exclamation},
        WarningCase{"rule_before_the_range_of_a_brightness",
                    [](DeviceProgram& p) { p.sensor_off_brightness.module_red = -5; }, 1, 4,
                    "Яркость модуля, с выкл. датчиком\nменьше минимально допустимой яркости",
                    MsgIcon::Error}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

class WriteGate : public OpticsFixture {};

TEST_F(WriteGate, PassesWithEverythingSound)
{
    app().optics().run_rules();
    ui().DuplicateIntervalsWarning->setUserData(1);
    ui().VolumeRangeWarning->setUserData(1);
    EXPECT_TRUE(write_gate_passes(ui()));
}

TEST_F(WriteGate, RefusesAnyPlanFault)
{
    app().optics().run_rules();
    ui().DuplicateIntervalsWarning->setUserData(0);
    ui().VolumeRangeWarning->setUserData(1);
    EXPECT_FALSE(write_gate_passes(ui()));
    ui().DuplicateIntervalsWarning->setUserData(1);
    ui().VolumeRangeWarning->setUserData(0);
    EXPECT_FALSE(write_gate_passes(ui()));
}

TEST_F(WriteGate, ReadsTheStoredCodesWithoutRunningTheRules)
{
    ui().DuplicateIntervalsWarning->setUserData(1);
    ui().VolumeRangeWarning->setUserData(1);
    p().day_lux_threshold = 0; // not checked until the rules run
    EXPECT_TRUE(write_gate_passes(ui()));
    ui().LuxThresholdWarning->setUserData(6);
    EXPECT_FALSE(write_gate_passes(ui()));
}

} // namespace
