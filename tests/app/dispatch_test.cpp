// Events reach their handlers exactly when the user causes them: focus
// changes of numeric edits do, tab switches and programmatic sets do not.

#include "support/app_fixture.h"

#include "app/window_snapshot.h"
#include "plans/plan_editor.h"
#include "ui/control_ops.h"
#include "ui/numeric_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

namespace {

class Dispatch : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        stop_timers();
        status_tick();
        process_events();
    }
};

TEST_F(Dispatch, FocusGainedAndLostByAnEnabledNumericEditEachCallItsHandler)
{
    ui().MainPanel->setCurrentIndex(1);
    ASSERT_TRUE(activate_main_window());
    NumericEdit* edit = ui().ChannelEdit[1];
    QSlider* slider = ui().ChannelSlider[1];
    ASSERT_TRUE(edit->isEnabled());
    ui().FactoryResetButton->setFocus();
    process_events();

    // Texts set by the program raise nothing; only the focus events below
    // can bring them into the slider.
    ctl::set_text(edit, QStringLiteral("55"));
    ASSERT_NE(slider->value(), 55);
    edit->setFocus(Qt::MouseFocusReason);
    process_events();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(slider->value(), 55);

    ctl::set_text(edit, QStringLiteral("40"));
    ui().FactoryResetButton->setFocus(Qt::TabFocusReason);
    process_events();
    ASSERT_FALSE(edit->hasFocus());
    EXPECT_EQ(slider->value(), 40);
    EXPECT_EQ(ctx().program.sensor_off_brightness.module_red, 40);
}

TEST_F(Dispatch, ClickingIntoAVolumeEditAndLeavingItRaisesOneEventEach)
{
    ASSERT_TRUE(activate_main_window());
    NumericEdit* edit = ui().IntervalVolumeEdit[3];
    // Interval 3 of Monday switched on: the plan display enables its edit.
    ctx().program.plan_enabled[1][3] = 1;
    ctx().program.plan_volume[1][3] = 50;
    app().plans().refresh_plan_view();
    ASSERT_TRUE(edit->isEnabled());
    QSignalSpy focus(edit, &NumericEdit::focusChanged);
    QSignalSpy typed(edit, &QLineEdit::textChanged);
    ui().PortCombo->setFocus();
    process_events();
    QTest::mouseClick(edit, Qt::LeftButton);
    process_events();
    ASSERT_TRUE(edit->hasFocus());
    ui().PortCombo->setFocus(Qt::TabFocusReason);
    process_events();
    ASSERT_EQ(focus.count(), 2);
    EXPECT_TRUE(focus.at(0).at(0).toBool());
    EXPECT_FALSE(focus.at(1).at(0).toBool());
    EXPECT_EQ(typed.count(), 0);
}

TEST_F(Dispatch, SwitchingTabsCallsNoHandler)
{
    const QStringList before = window_snapshot(ui().MainWindow);
    const zuzo::DeviceProgram program = ctx().program;
    QTabBar* tabs = ui().MainPanel->tabBar();
    for (int page : {1, 0, 1, 0}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        process_events();
        EXPECT_EQ(ui().MainPanel->currentIndex(), page);
    }
    EXPECT_EQ(window_snapshot(ui().MainWindow), before);
    EXPECT_EQ(ctx().program, program);
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(Dispatch, ProgrammaticSetsRaiseNoControlEvent)
{
    const zuzo::DeviceProgram program = ctx().program;
    QSignalSpy slider_moved(ui().ChannelSlider[2], &QSlider::valueChanged);
    QSignalSpy edit_changed(ui().ChannelEdit[2], &QLineEdit::textChanged);
    QSignalSpy combo_changed(ui().OpticalSensorCombo, &QComboBox::currentIndexChanged);
    QSignalSpy option_toggled(ui().LightThresholdOption, &QAbstractButton::toggled);
    QSignalSpy time_changed(ui().IntervalTimePicker[1], &QTimeEdit::timeChanged);
    QSignalSpy weekday_changed(ui().WeekdayCombo, &QComboBox::currentIndexChanged);

    ctl::set_value(ui().ChannelSlider[2], 17);
    ctl::set_text(ui().ChannelEdit[2], QStringLiteral("17"));
    ctl::set_index(ui().OpticalSensorCombo, 1);
    ctl::set_checked(ui().LightThresholdOption, true);
    ctl::set_time(ui().IntervalTimePicker[1], QTime(7, 30));
    ctl::set_index(ui().WeekdayCombo, 3);
    process_events();

    EXPECT_EQ(slider_moved.count() + edit_changed.count() + combo_changed.count() + option_toggled.count() +
                  time_changed.count() + weekday_changed.count(),
              0);
    EXPECT_EQ(ctx().program, program);
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(Dispatch, ACheckBoxOfAnIntervalCannotBeClicked)
{
    QCheckBox* check = ui().IntervalEnabledCheck[1];
    const bool before = check->isChecked();
    QTest::mouseClick(check, Qt::LeftButton);
    process_events();
    EXPECT_EQ(check->isChecked(), before);
}

TEST_F(Dispatch, TypingLettersIntoANumericEditIsRefused)
{
    ASSERT_TRUE(activate_main_window());
    NumericEdit* edit = ui().MinModuleBrightnessEdit;
    edit->setEnabled(true);
    ctl::set_text(edit, QString());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("a1b2"));
    EXPECT_EQ(edit->text(), "12");
}

// Fault: "Системная дата" took typing, which the next tick wrote over.
TEST_F(Dispatch, SystemDateCannotBeTypedIntoButIsReached)
{
    ASSERT_TRUE(activate_main_window());
    stop_timers();
    NumericEdit* edit = ui().SystemDateEdit;
    const QString shown = edit->text();
    edit->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), shown);
}

TEST_F(Dispatch, EveryMenuIdAndToolbarButtonReachesItsCommand)
{
    // Help and Site record a launch; the same ids come from menu and toolbar.
    ui().menu_actions[MenuId::Help]->trigger();
    ui().tool_actions[MenuId::Help]->trigger();
    ui().menu_actions[MenuId::Site]->trigger();
    ui().tool_actions[MenuId::Site]->trigger();
    ASSERT_EQ(launcher().documents.size(), 2u);
    EXPECT_EQ(launcher().documents[0], "help.chm");
    EXPECT_EQ(launcher().documents[1], "help.chm");
    ASSERT_EQ(launcher().urls.size(), 2u);
    EXPECT_EQ(launcher().urls[0], launcher().urls[1]);

    // Unknown ids are ignored.
    const QStringList before = window_snapshot(ui().MainWindow);
    app().dispatch_menu(static_cast<MenuId>(7));
    app().dispatch_menu(static_cast<MenuId>(-1));
    EXPECT_EQ(window_snapshot(ui().MainWindow), before);
    EXPECT_TRUE(boxes().shown.empty());
}

} // namespace
