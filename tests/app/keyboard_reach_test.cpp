// Warning pictures, threshold options and the secondary windows for the
// keyboard and a screen reader: Tab reaches a shown warning, Space and Enter
// open its explanation, and each is heard in the role it plays.

#include "support/app_fixture.h"

#include "app/accessible_roles.h"
#include "app/auxiliary_commands.h"
#include "app/numeric_edit.h"
#include "app/warning_picture.h"
#include "link/transfer_progress_window.h"
#include "plans/copy_dialog.h"
#include "plans/copy_dialog_window.h"
#include "plans/plan_editor.h"
#include "program/optics_editor.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <vector>

namespace {

using zuzo::DeviceProgram;

struct WarningCase {
    const char* name;
    int page; // 0 configuration, 1 optics
    std::function<void(DeviceProgram&)> break_rule;
    std::function<WarningPicture*(MainControls&)> warning;
    std::function<QWidget*(MainControls&)> before; // the control Tab leaves for it
    const char* spoken;
};

class WarningByKeyboard : public AppFixture, public ::testing::WithParamInterface<WarningCase> {
protected:
    WarningPicture* shown_warning()
    {
        const WarningCase& k = GetParam();
        k.break_rule(ctx().program);
        ctx().plans->refresh_plan_view();
        ctx().optics->run_rules();
        ui().MainPanel->setCurrentIndex(k.page);
        return k.warning(ui());
    }
};

TEST_P(WarningByKeyboard, TabReachesItAndSpaceOrEnterExplainsIt)
{
    WarningPicture* warning = shown_warning();
    ASSERT_FALSE(warning->isHidden());
    ASSERT_TRUE(activate_main_window());
    QWidget* before = GetParam().before(ui());
    before->setFocus(Qt::TabFocusReason);
    process_events();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), warning);

    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        boxes().clear();
        QTest::keyClick(warning, key);
        ASSERT_EQ(boxes().shown.size(), 1u) << "key " << key;
        EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
    }
    // Other keys do nothing.
    boxes().clear();
    QTest::keyClick(warning, Qt::Key_A);
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_P(WarningByKeyboard, IsHeardAsAButtonNamedAfterItsWarning)
{
    WarningPicture* warning = shown_warning();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(warning);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(GetParam().spoken));
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    boxes().clear();
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(boxes().shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, WarningByKeyboard,
    ::testing::Values(
        WarningCase{"duplicate_intervals", 0,
                    [](DeviceProgram& p) {
                        for (int i : {1, 2}) {
                            p.plan_enabled[1][static_cast<std::size_t>(i)] = 1;
                            p.plan_hour[1][static_cast<std::size_t>(i)] = 7;
                        }
                    },
                    [](MainControls& ui) { return ui.DuplicateIntervalsWarning; },
                    // While the fault stands the weekday cannot be left: the
                    // controls between are disabled.
                    [](MainControls& ui) -> QWidget* { return ui.SystemDateEdit; },
                    "Предупреждение: повторяющиеся интервалы"},
        WarningCase{"volume_range", 0,
                    [](DeviceProgram& p) {
                        p.plan_enabled[1][3] = 1;
                        p.plan_volume[1][3] = 150;
                    },
                    [](MainControls& ui) { return ui.VolumeRangeWarning; },
                    [](MainControls& ui) -> QWidget* { return ui.SystemDateEdit; },
                    "Предупреждение: громкость интервала"},
        WarningCase{"module_green_channel", 1,
                    [](DeviceProgram& p) {
                        p.evening_brightness.module_green = 100;
                        p.day_brightness.module_green = 90;
                    },
                    [](MainControls& ui) { return ui.ChannelWarning[2]; },
                    [](MainControls& ui) -> QWidget* { return ui.ChannelEdit[1]; },
                    "Предупреждение: Яркость модуля, зеленый"},
        WarningCase{"lux_thresholds", 1,
                    [](DeviceProgram& p) {
                        p.evening_lux_threshold = 500;
                        p.day_lux_threshold = 100;
                    },
                    [](MainControls& ui) { return ui.LuxThresholdWarning; },
                    [](MainControls& ui) -> QWidget* { return ui.OpticalSensorCombo; },
                    "Предупреждение: пороги освещенности"}),
    [](const ::testing::TestParamInfo<WarningCase>& info) { return std::string(info.param.name); });

using Roles = AppFixture;

TEST_F(Roles, ThresholdOptionsAreRadioButtonsWithTheirCheckedState)
{
    for (QRadioButton* option : {ui().DarkThresholdOption, ui().LightThresholdOption}) {
        SCOPED_TRACE(option->objectName().toStdString());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(option);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::RadioButton);
        EXPECT_EQ(face->text(QAccessible::Name), option->accessibleName());
        EXPECT_TRUE(face->state().checkable);
        EXPECT_EQ(bool(face->state().checked), option->isChecked());
    }
    // Other radio buttons keep Qt's own interface.
    QRadioButton plain(QStringLiteral("x"));
    plain.setAutoExclusive(false);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&plain)->role(), QAccessible::CheckBox);
}

TEST_F(Roles, AboutCopyDialogAndProgressWindowAreDialogsNamedByTheirTitle)
{
    app().commands().about();
    QAccessibleInterface* about = QAccessible::queryAccessibleInterface(app().commands().about_window());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->role(), QAccessible::Dialog);
    EXPECT_EQ(about->text(QAccessible::Name), QStringLiteral("О программе"));
    app().commands().close_about();

    // A Monday without faults, so that the weekday may be left.
    for (std::size_t i = 1; i <= 12; ++i) {
        ctx().program.plan_hour[1][i] = 6;
        ctx().program.plan_minute[1][i] = static_cast<std::int32_t>(i);
        ctx().program.plan_volume[1][i] = 50;
    }
    ctx().plans->refresh_plan_view();
    ASSERT_TRUE(activate_main_window());
    ASSERT_TRUE(ui().CopyTimeParamsButton->isEnabled());
    QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
    QWidget* copy = app().copy_dialog().window();
    ASSERT_NE(copy, nullptr);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(copy);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Dialog);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Копирование временных параметров"));

    TransferProgressWindow progress(ui().MainWindow);
    face = QAccessible::queryAccessibleInterface(&progress);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Dialog);
    EXPECT_EQ(face->text(QAccessible::Name), progress.windowTitle());
}

// The usual keys reach the same handlers as the menu items, and the page
// keys switch pages wherever the focus is, a combo box included.
class Shortcuts;

struct ShortcutCase {
    const char* name;
    int page;          // the page shown first
    const char* focus; // the control that has the focus
    QKeySequence keys; // pressed once
    int menu_id;       // the menu item that shows these keys, or -1
    std::function<bool(Shortcuts&)> happened;
};

class Shortcuts : public AppFixture, public ::testing::WithParamInterface<ShortcutCase> {
public:
    bool box_titled(const char* title)
    {
        return boxes().shown.size() == 1 && boxes().shown[0].title == QString::fromUtf8(title);
    }
    bool save_asked() { return files().calls.size() == 1 && files().calls[0].save; }
    bool help_opened() { return launcher().documents == std::vector<QString>{QStringLiteral("help.chm")}; }
    int page() { return ui().MainPanel->currentIndex(); }
    std::vector<int> choices()
    {
        return {ui().PortCombo->currentIndex(), ui().WeekdayCombo->currentIndex(),
                ui().SoundTypeCombo->currentIndex(), ui().OpticalSensorCombo->currentIndex()};
    }
};

TEST_P(Shortcuts, ReachTheirHandler)
{
    const ShortcutCase& k = GetParam();
    stop_timers();
    if (k.menu_id >= 0) {
        EXPECT_EQ(ui().menu_actions[static_cast<std::size_t>(k.menu_id)]->shortcut(), k.keys);
    }
    ui().MainPanel->setCurrentIndex(k.page);
    ASSERT_TRUE(activate_main_window());
    auto* focus = ui().MainWindow->findChild<QWidget*>(QString::fromLatin1(k.focus));
    ASSERT_NE(focus, nullptr);
    focus->setFocus(Qt::TabFocusReason);
    process_events();
    const std::vector<int> choices = this->choices();
    const zuzo::DeviceProgram program = ctx().program;

    QTest::keySequence(QApplication::focusWidget(), k.keys);
    process_events();
    EXPECT_TRUE(k.happened(*this));
    // Nothing else: the combo boxes keep their choice, the program its values.
    EXPECT_EQ(this->choices(), choices);
    EXPECT_EQ(ctx().program, program);
}

using MenuKeys = AppFixture;

TEST_F(MenuKeys, DoNothingWhileAboutIsOpen)
{
    stop_timers();
    app().commands().about();
    AboutWindow* about = app().commands().about_window();
    ASSERT_NE(about, nullptr);
    about->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_O),
                                    QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_F1),
                                    QKeySequence(Qt::CTRL | Qt::Key_Tab)})
        QTest::keySequence(about, keys);
    process_events();
    EXPECT_TRUE(boxes().shown.empty());
    EXPECT_TRUE(files().calls.empty());
    EXPECT_TRUE(launcher().documents.empty());
    EXPECT_EQ(ui().MainPanel->currentIndex(), 0);
    EXPECT_EQ(app().commands().about_window(), about);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    ::testing::Values(
        ShortcutCase{"ctrl_n_new", 0, "PortCombo", QKeySequence(Qt::CTRL | Qt::Key_N), 0,
                     [](Shortcuts& t) { return t.box_titled("Создать"); }},
        ShortcutCase{"ctrl_o_open", 1, "ModuleRedSlider", QKeySequence(Qt::CTRL | Qt::Key_O), 1,
                     [](Shortcuts& t) { return t.box_titled("Чтение файла"); }},
        ShortcutCase{"ctrl_s_save", 0, "ConnectButton", QKeySequence(Qt::CTRL | Qt::Key_S), 2,
                     [](Shortcuts& t) { return t.save_asked(); }},
        ShortcutCase{"f1_help", 0, "StatusLog", QKeySequence(Qt::Key_F1), 4,
                     [](Shortcuts& t) { return t.help_opened(); }},
        ShortcutCase{"ctrl_tab_from_a_combo", 0, "PortCombo", QKeySequence(Qt::CTRL | Qt::Key_Tab), -1,
                     [](Shortcuts& t) { return t.page() == 1; }},
        ShortcutCase{"ctrl_page_down_from_a_combo", 1, "OpticalSensorCombo",
                     QKeySequence(Qt::CTRL | Qt::Key_PageDown), -1,
                     [](Shortcuts& t) { return t.page() == 0; }},
        ShortcutCase{"ctrl_page_up_from_a_time_picker", 0, "IntervalTimePicker1",
                     QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1,
                     [](Shortcuts& t) { return t.page() == 1; }}),
    [](const ::testing::TestParamInfo<ShortcutCase>& info) { return std::string(info.param.name); });

} // namespace
