// Warning pictures, threshold options and the secondary windows for the
// keyboard and a screen reader: Tab reaches a shown warning, Space and Enter
// open its explanation, and each is heard in the role it plays; the usual
// keys, the menus' access letters and F10, and the keys of the progress
// window; the secondary windows above the main window, taking the keyboard as
// they open and giving it back as they close, and so the message boxes and
// file dialogs, and the main window taking it at start.

#include "support/app_fixture.h"

#include "app/accessible_roles.h"
#include "app/auxiliary_commands.h"
#include "link/transfer_progress_window.h"
#include "plans/copy_dialog.h"
#include "plans/copy_dialog_window.h"
#include "plans/plan_editor.h"
#include "program/optics_editor.h"
#include "ui/numeric_edit.h"
#include "ui/qt_seams.h"
#include "ui/warning_picture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <map>
#include <optional>
#include <string>

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
        app().plans().refresh_plan_view();
        app().optics().run_rules();
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
    ::testing::Values(WarningCase{"duplicate_intervals", 0,
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
                                  "Предупреждение: зеленый, яркость модуля"},
                      WarningCase{"lux_thresholds", 1,
                                  [](DeviceProgram& p) {
                                      p.evening_lux_threshold = 500;
                                      p.day_lux_threshold = 100;
                                  },
                                  [](MainControls& ui) { return ui.LuxThresholdWarning; },
                                  [](MainControls& ui) -> QWidget* { return ui.OpticalSensorCombo; },
                                  "Предупреждение: пороги освещенности"}),
    [](const ::testing::TestParamInfo<WarningCase>& case_info) { return std::string(case_info.param.name); });

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

TEST_F(Roles, CopyDialogAndProgressWindowAreDialogsNamedByTheirTitle)
{
    // A Monday without faults, so that the weekday may be left.
    for (std::size_t i = 1; i <= 12; ++i) {
        ctx().program.plan_hour[1][i] = 6;
        ctx().program.plan_minute[1][i] = static_cast<std::int32_t>(i);
        ctx().program.plan_volume[1][i] = 50;
    }
    app().plans().refresh_plan_view();
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

// The usual keys run their menu item's handler, the page keys switch pages
// wherever the focus is, a combo box included, and nothing else happens.
struct KeyCase {
    const char* keys;
    std::optional<MenuId> menu_id; // the menu item showing the keys
    int page;                      // shown first
    const char* focus;
    const char* seen; // boxes, file dialogs and documents asked for, then the page
};

class Shortcuts : public AppFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Shortcuts, RunTheirMenuItemOrSwitchPages)
{
    const KeyCase& k = GetParam();
    const QKeySequence keys(QString::fromLatin1(k.keys));
    if (k.menu_id) {
        EXPECT_EQ(ui().menu_actions[*k.menu_id]->shortcut(), keys);
    }
    stop_timers();
    ui().MainPanel->setCurrentIndex(k.page);
    ASSERT_TRUE(activate_main_window());
    ui().MainWindow->findChild<QWidget*>(QString::fromLatin1(k.focus))->setFocus(Qt::TabFocusReason);
    const zuzo::DeviceProgram program = ctx().program;
    QTest::keySequence(QApplication::focusWidget(), keys);
    process_events();
    QStringList seen;
    for (const ShownBox& box : boxes().shown)
        seen << box.title;
    for (const FileDialogCall& call : files().calls)
        seen << call.title;
    seen << QStringList(launcher().documents.begin(), launcher().documents.end())
         << QStringLiteral("page %1").arg(ui().MainPanel->currentIndex());
    EXPECT_EQ(seen.join(QLatin1Char('|')), QString::fromUtf8(k.seen));
    EXPECT_EQ(ctx().program, program);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    ::testing::Values(KeyCase{"Ctrl+N", MenuId::New, 0, "PortCombo", "Создать|page 0"},
                      KeyCase{"Ctrl+O", MenuId::Open, 1, "ModuleRedSlider", "Чтение файла|page 1"},
                      KeyCase{"Ctrl+S", MenuId::Save, 0, "ConnectButton", "Сохранить|page 0"},
                      KeyCase{"F1", MenuId::Help, 0, "StatusLog", "help.chm|page 0"},
                      KeyCase{"Ctrl+Tab", std::nullopt, 0, "PortCombo", "page 1"},
                      KeyCase{"Ctrl+PgDown", std::nullopt, 1, "OpticalSensorCombo", "page 0"},
                      KeyCase{"Ctrl+PgUp", std::nullopt, 0, "IntervalTimePicker1", "page 1"}));

// The access letters and F10 reach the menus. Faults: Alt+letter and F10
// did nothing, About and Exit had no key.
TEST_F(Roles, AccessLettersAndF10OpenTheMenus)
{
    stop_timers();
    ASSERT_TRUE(activate_main_window());
    ui().ConnectButton->setFocus(Qt::TabFocusReason);
    const auto open_menu = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    // A letter typed into the open menu: Qt's key of a letter is its
    // capital's code.
    const auto letter = [&](char16_t capital) {
        QTest::sendKeyEvent(QTest::Click, open_menu(), static_cast<Qt::Key>(capital),
                            QString(QChar(capital)).toLower(), Qt::NoModifier);
    };
    // F10 opens "Файл"; В is Exit, which asks (answered No).
    QTest::keyClick(ui().ConnectButton, Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return open_menu() != nullptr; }));
    EXPECT_EQ(open_menu()->title(), QStringLiteral("&Файл"));
    letter(u'В');
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].title, QStringLiteral("Выход"));
    // Alt+С opens "Справка"; О is About. (The offscreen platform leaves the
    // closed menu the active window.)
    ASSERT_TRUE(activate_main_window());
    QTest::sendKeyEvent(QTest::Click, ui().ConnectButton, static_cast<Qt::Key>(u'С'), QStringLiteral("с"),
                        Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return open_menu() != nullptr; }));
    letter(u'О');
    EXPECT_NE(app().commands().about_window(), nullptr);
    app().commands().close_about();
}

// Escape, Enter and Space press "Стоп" in the progress window. Fault:
// Escape and Enter did nothing; only Space pressed it.
TEST_F(Roles, ProgressWindowStopsOnEscapeEnterAndSpace)
{
    TransferProgressWindow progress(ui().MainWindow);
    int stops = 0;
    QObject::connect(progress.TransferStopButton, &QPushButton::clicked, [&stops] { ++stops; });
    progress.open_over_owner();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == progress.TransferStopButton; }));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(progress.TransferStopButton, key);
    EXPECT_EQ(stops, 4);
    progress.close_over_owner();
}

// Each secondary window is owned by the main window (stays above it), is
// heard as a dialog, and a box asked for the main window meanwhile goes over
// it. Each takes the keyboard as it opens and gives it back as it closes;
// besides the offscreen platform, a test run on an X server without a window
// manager checks that (nothing there hands the focus over by itself).
class OwnedWindows : public AppFixture, public ::testing::WithParamInterface<std::string> {
protected:
    // How each window is opened and closed, the control of it that takes
    // the keyboard, and the main window's control that had it before.
    struct Way {
        std::function<QWidget*()> open;
        std::function<void()> close;
        std::function<QWidget*()> takes;
        QWidget* opener;
    };

    Way way(TransferProgressWindow& progress)
    {
        QMainWindow* main = ui().MainWindow;
        AuxiliaryCommands& commands = app().commands();
        CopyDialog& copy = app().copy_dialog();
        const auto escape = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); };
        const std::map<std::string, Way> ways = {
            {"none",
             Way{[main] { return main; }, [] {}, [main] { return main->focusWidget(); }, ui().PortCombo}},
            // Fault: About opened without the keyboard, Escape and Enter
            // did nothing until it was clicked; closed, no control had it.
            {"about", Way{[&commands] { return commands.about(), commands.about_window(); }, escape,
                          [&commands] { return commands.about_window()->ok_button(); }, ui().PortCombo}},
            // Fault: the copy dialog opened without the keyboard; its lists
            // could not be walked until it was clicked.
            {"copy", Way{[&copy] { return copy.open(), copy.window(); }, escape,
                         [&copy] { return copy.window()->source_list(); }, ui().CopyTimeParamsButton}},
            // Fault: "Стоп" could not be pressed from the keyboard during a
            // transfer until the window was clicked.
            {"progress", Way{[&progress] { return progress.open_over_owner(), &progress; },
                             [&progress] { progress.close_over_owner(); },
                             [&progress] { return progress.TransferStopButton; }, ui().ConnectButton}}};
        return ways.at(GetParam());
    }

    // A Monday without faults, so that CopyTimeParamsButton is enabled.
    void plan_without_faults()
    {
        for (std::size_t i = 1; i <= 12; ++i) {
            ctx().program.plan_hour[1][i] = 6;
            ctx().program.plan_minute[1][i] = static_cast<std::int32_t>(i);
            ctx().program.plan_volume[1][i] = 50;
        }
        app().plans().refresh_plan_view();
    }
};

TEST_P(OwnedWindows, StayAboveTheMainWindowAndTakeItsBoxes)
{
    QMainWindow* main = ui().MainWindow;
    TransferProgressWindow progress(main);
    QWidget* top = way(progress).open();
    process_events();
    EXPECT_EQ(box_owner(main), top);
    if (top != main) {
        EXPECT_EQ(top->windowHandle()->transientParent(), main->windowHandle());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(top)->role(), QAccessible::Dialog);
    }
}

TEST_P(OwnedWindows, TakeTheKeyboardWhenOpenedAndGiveItBackWhenClosed)
{
    stop_timers();
    plan_without_faults();
    QMainWindow* main = ui().MainWindow;
    TransferProgressWindow progress(main);
    const Way w = way(progress);
    ASSERT_TRUE(activate_main_window());
    w.opener->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), w.opener);

    // A window counts as active while a window it owns has the keyboard:
    // what matters is which window has it.
    const auto has_keyboard = [](QWidget* window) {
        return QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window->windowHandle(); });
    };
    QWidget* top = w.open();
    const QPointer<QWidget> opened = top; // the closed window may be deleted
    ASSERT_TRUE(has_keyboard(top));
    EXPECT_EQ(QApplication::focusWidget(), w.takes());

    w.close();
    ASSERT_TRUE(has_keyboard(main));
    process_events();
    EXPECT_TRUE(top == main || opened.isNull() || !opened->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.opener);
}

INSTANTIATE_TEST_SUITE_P(Windows, OwnedWindows, ::testing::Values("none", "about", "copy", "progress"),
                         [](const ::testing::TestParamInfo<std::string>& case_info) {
                             return case_info.param;
                         });

// The main window takes the keyboard at start, and a message box or file
// dialog gives it back to the control that had it. Fault, without a window
// manager: nothing had the keyboard at start, and after each box or dialog
// it fell to the desktop.
class StandardDialogs : public AppFixture, public ::testing::WithParamInterface<std::string> {};

// Closes the modal dialog open next, once it is open.
void close_next_dialog()
{
    QTimer::singleShot(10, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
        else
            close_next_dialog();
    });
}

TEST_P(StandardDialogs, GiveTheKeyboardBackToTheControlThatHadIt)
{
    stop_timers();
    const auto has_keyboard = [this] {
        return QTest::qWaitFor(
            [this] { return QGuiApplication::focusWindow() == ui().MainWindow->windowHandle(); });
    };
    ASSERT_TRUE(has_keyboard());
    if (GetParam() == "start")
        return;
    ui().ConnectButton->setFocus(Qt::TabFocusReason);
    int busy = 0;
    close_next_dialog();
    if (GetParam() == "message_box") {
        QtMessageBoxes real(busy);
        (void)real.show(ui().MainWindow, QStringLiteral("Ошибка"), QStringLiteral("?"), MsgButtons::Ok,
                        MsgIcon::Error);
    } else {
        QtFileDialogs real(busy, QDir::tempPath());
        (void)real.open_file(ui().MainWindow, QStringLiteral("Чтение файла"),
                             QStringLiteral("Файлы (*.ptm)"));
    }
    ASSERT_TRUE(has_keyboard());
    EXPECT_EQ(QApplication::focusWidget(), ui().ConnectButton);
}

INSTANTIATE_TEST_SUITE_P(Windows, StandardDialogs, ::testing::Values("start", "message_box", "file_dialog"),
                         [](const ::testing::TestParamInfo<std::string>& case_info) {
                             return case_info.param;
                         });
} // namespace
