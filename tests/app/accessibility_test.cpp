// What a screen reader hears and where the keyboard goes: accessible names of
// every input control, the Tab order of rows, and buttons and check boxes
// worked with the space bar.

#include "support/app_fixture.h"

#include "app/accessibility.h"
#include "app/auxiliary_commands.h"
#include "link/transfer_progress_window.h"
#include "ui/numeric_edit.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Accessibility = AppFixture;

// Every widget of the main window that takes input and has a name.
std::vector<QWidget*> named_inputs(QMainWindow* window)
{
    std::vector<QWidget*> inputs;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Owned secondary windows (the progress window) have their own.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
            w->window() != window)
            continue;
        const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTextEdit*>(w);
        // The line edit inside a time picker or combo box belongs to it.
        if (input && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
            !qobject_cast<QComboBox*>(w->parentWidget()))
            inputs.push_back(w);
    }
    return inputs;
}

// What a screen reader says a control is: its name, but for a combo box
// named by its current item (Qt does so on Linux, where screen readers take
// the item from the name) the label it is linked to.
QString heard_label(QAccessibleInterface* face)
{
    const QString name = face->text(QAccessible::Name);
    if (face->role() != QAccessible::ComboBox || name != face->text(QAccessible::Value))
        return name;
    const auto labels = face->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QString spoken_name(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? heard_label(face) : QString();
}

TEST_F(Accessibility, EveryNamedInputControlHasASpokenName)
{
    const std::vector<QWidget*> inputs = named_inputs(ui().MainWindow);
    // 12 x 3 interval controls and 5 x 2 channel controls at least.
    ASSERT_GE(inputs.size(), 46u);
    for (QWidget* w : inputs) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->accessibleName().trimmed().isEmpty());
        EXPECT_FALSE(spoken_name(w).trimmed().isEmpty());
    }
}

// Each button, check box and option is named by the text it shows, which
// context may follow. Fault: "Включить симуляцию" heard as "Симуляция
// яркости", "Включен" as "Включение интервала 1".
TEST_F(Accessibility, NamesBeginWithTheTextShown)
{
    for (QWidget* w : named_inputs(ui().MainWindow)) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (button == nullptr || button->text().isEmpty())
            continue;
        const QString shown = button->text().remove(QLatin1Char('&')).trimmed();
        EXPECT_TRUE(w->accessibleName().startsWith(shown))
            << w->objectName().toStdString() << " shows " << shown.toStdString() << ", is heard as "
            << w->accessibleName().toStdString();
    }
}

TEST_F(Accessibility, NoTwoInputControlsSoundAlike)
{
    std::map<QString, QString> seen; // spoken name -> objectName
    for (QWidget* w : named_inputs(ui().MainWindow)) {
        const QString said = w->accessibleName();
        const auto [it, fresh] = seen.emplace(said, w->objectName());
        EXPECT_TRUE(fresh) << w->objectName().toStdString() << " and " << it->second.toStdString()
                           << " both say " << said.toStdString();
    }
}

TEST_F(Accessibility, NamesSayWhatAndWhich)
{
    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        {"IntervalVolumeEdit3", "Громкость интервала 3"},
        {"IntervalVolumeEdit12", "Громкость интервала 12"},
        {"IntervalTimePicker7", "Время интервала 7"},
        // Fault: "Интервал 1 включен" read out for an unchecked box.
        {"IntervalEnabledCheck1", "Включен, интервал 1"},
        {"ModuleRedSlider", "Красный, яркость модуля"},
        {"ModuleYellowSlider", "Желтый, яркость модуля"},
        {"IndicatorGreenSlider", "Зеленый, яркость индикатора"},
        {"IndicatorRedEdit", "Красный, яркость индикатора, в процентах"},
        // Fault: the four combo boxes were heard by their current item alone
        // ("COM1", "Понедельник", "Сигнал №1", "Откл.оптический датчик").
        {"PortCombo", "Порт"},
        {"WeekdayCombo", "День недели"},
        {"SoundTypeCombo", "Вид звукового сопровождения"},
        {"OpticalSensorCombo", "Автоматическая регулировка яркости"},
        {"CopyTimeParamsButton", "Копирование временных параметров"},
        // Fault: a name other than the text shown ("Синхронизация часов"),
        // which a sighted helper or voice control cannot match.
        {"SoundSimulationCheck", "Включить симуляцию звука"},
        {"BrightnessSimulationCheck", "Включить симуляцию яркости"},
        {"SyncClockButton", "Синхр.часы"},
        {"DeviceDateEdit", "Дата счит. с устройства"},
    };
    for (const auto& c : cases) {
        QWidget* w = ui().MainWindow->findChild<QWidget*>(QString::fromLatin1(c.control));
        ASSERT_NE(w, nullptr) << c.control;
        // What a screen reader is told; a combo box adds its chosen item as
        // its value.
        EXPECT_EQ(spoken_name(w), QString::fromUtf8(c.name)) << c.control;
    }
    for (int channel = 1; channel <= 5; ++channel)
        EXPECT_EQ(ui().ChannelSlider[static_cast<std::size_t>(channel)]->accessibleName(),
                  QString::fromUtf8(channel_accessible_name(channel)));
    EXPECT_STREQ(channel_accessible_name(0), "");
    EXPECT_STREQ(channel_accessible_name(6), "");
}

// The interfaces under face, depth first.
void collect(QAccessibleInterface* face, std::vector<QAccessibleInterface*>& found)
{
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (child == nullptr || !child->isValid())
            continue;
        found.push_back(child);
        collect(child, found);
    }
}

// Walks the accessible tree of the main window and of each secondary window
// open over it, as a screen reader does, and hears every control shown.
// Faults: a control heard by nothing (the progress bars, the sound frame) or
// by its value alone (the combo boxes, which only said their current item).
TEST_F(Accessibility, NoControlInTheTreeIsNamelessOrNamedByItsValue)
{
    const std::set<QAccessible::Role> controls = {
        QAccessible::PushButton,   QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::Slider,   QAccessible::SpinBox,     QAccessible::ProgressBar,
        QAccessible::Grouping,     QAccessible::List,     QAccessible::ScrollBar,   QAccessible::Dialog};
    stop_timers();
    TransferProgressWindow progress(ui().MainWindow);
    app().commands().about();
    progress.open_over_owner();
    std::vector<QAccessibleInterface*> found;
    for (QWidget* window : {static_cast<QWidget*>(ui().MainWindow), static_cast<QWidget*>(&progress),
                            static_cast<QWidget*>(app().commands().about_window())}) {
        found.push_back(QAccessible::queryAccessibleInterface(window));
        collect(found.back(), found);
    }
    std::set<QAccessible::Role> heard;
    for (QAccessibleInterface* face : found) {
        if (!controls.count(face->role()) || face->state().invisible)
            continue;
        heard.insert(face->role());
        const QString name = heard_label(face).trimmed();
        const QString value = face->text(QAccessible::Value).trimmed();
        SCOPED_TRACE((QStringLiteral("%1, role %2, \"%3\"")
                          .arg(face->object() ? face->object()->objectName() : QString())
                          .arg(static_cast<int>(face->role()))
                          .arg(name))
                         .toStdString());
        EXPECT_FALSE(name.isEmpty());
        if (!value.isEmpty()) {
            EXPECT_NE(name, value);
        }
    }
    // The walk reached the kinds of control that were wrongly heard.
    for (QAccessible::Role role : {QAccessible::ComboBox, QAccessible::ProgressBar, QAccessible::Grouping})
        EXPECT_TRUE(heard.count(role)) << "role " << static_cast<int>(role);
    progress.close_over_owner();
    app().commands().close_about();
}

TEST_F(Accessibility, ToolbarButtonsSayTheirTooltip)
{
    for (QAction* action : ui().tool_actions) {
        ASSERT_NE(action, nullptr);
        QWidget* button = ui().MainToolBar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(spoken_name(button), action->toolTip());
    }
}

// The widgets the Tab key visits after start, in order, beginning at from:
// those that take focus by Tab in the order of the focus chain, passing over
// hidden ones (a warning picture while its check is sound) as Tab does.
std::vector<QString> tab_walk(QWidget* from, int steps)
{
    std::vector<QString> names;
    QWidget* w = from;
    for (int guard = 0; guard < 2000 && static_cast<int>(names.size()) < steps; ++guard) {
        w = w->nextInFocusChain();
        if (w == from)
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(w->window()) && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")))
            names.push_back(w->objectName());
    }
    return names;
}

TEST_F(Accessibility, TabFollowsTheRowsOfTheConfigurationPage)
{
    const std::vector<QString> walk = tab_walk(ui().PortCombo, 60);
    std::vector<QString> expected = {"DeviceManagerButton", "ConnectButton",       "StatusLog",
                                     "WriteProgramButton",  "ReadProgramButton",   "DisconnectButton",
                                     "SystemDateEdit",      "DeviceDateEdit",      "SyncClockButton",
                                     "WeekdayCombo",        "CopyTimeParamsButton"};
    for (int n = 1; n <= 12; ++n) {
        for (const char* kind : {"IntervalEnabledCheck", "IntervalTimePicker", "IntervalVolumeEdit"})
            expected.push_back(QString::fromLatin1(kind) + QString::number(n));
    }
    for (const char* name : {"SoundTypeCombo", "FastPulseTimeEdit", "SoundOffCheck", "SoundSimulationCheck"})
        expected.push_back(QString::fromLatin1(name));
    ASSERT_GE(walk.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(walk[i], expected[i]) << "step " << i + 1;
}

TEST_F(Accessibility, TabKeyWalksAChannelRowThenTheNext)
{
    ui().MainPanel->setCurrentIndex(1);
    ASSERT_TRUE(activate_main_window());
    ui().ChannelSlider[1]->setFocus(Qt::TabFocusReason);
    process_events();
    ASSERT_EQ(QApplication::focusWidget(), ui().ChannelSlider[1]);

    // ModuleRedSlider, ModuleRedEdit, ModuleGreenSlider, ... IndicatorGreenEdit.
    for (std::size_t c = 1; c <= 5; ++c) {
        EXPECT_EQ(QApplication::focusWidget(), ui().ChannelSlider[c]) << "channel " << c;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), ui().ChannelEdit[c]) << "channel " << c;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), ui().BrightnessSimulationCheck);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui().FactoryResetButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), ui().BrightnessSimulationCheck);
}

TEST_F(Accessibility, SpaceOnAFocusedCheckBoxClicksIt)
{
    ui().MainPanel->setCurrentIndex(1);
    ASSERT_TRUE(activate_main_window());
    QCheckBox* check = ui().UserSettingsCheck;
    const bool was = check->isChecked();
    const bool edit_was = ui().MinModuleBrightnessEdit->isEnabled();
    check->setFocus(Qt::TabFocusReason);
    process_events();
    ASSERT_EQ(QApplication::focusWidget(), check);
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_NE(check->isChecked(), was);
    // Its handler ran: the minimum edits follow the check box.
    EXPECT_NE(ui().MinModuleBrightnessEdit->isEnabled(), edit_was);
    EXPECT_EQ(ui().MinModuleBrightnessEdit->isEnabled(), check->isChecked());
}

TEST_F(Accessibility, SpaceOnAFocusedButtonRunsIt)
{
    ui().MainPanel->setCurrentIndex(1);
    ASSERT_TRUE(activate_main_window());
    boxes().answers.push_back(MsgAnswer::No);
    QPushButton* button = ui().FactoryResetButton;
    button->setFocus(Qt::TabFocusReason);
    process_events();
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Space);
    ASSERT_EQ(boxes().shown.size(), 1u);
    EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::YesNo);
}

TEST_F(Accessibility, EveryEnabledButtonAndCheckBoxTakesTheTabKey)
{
    for (QAbstractButton* b : ui().MainWindow->findChildren<QAbstractButton*>()) {
        if (b->objectName().isEmpty() || b->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QPushButton*>(b) || qobject_cast<QCheckBox*>(b)) {
            SCOPED_TRACE(b->objectName().toStdString());
            EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
        }
    }
}

TEST_F(Accessibility, TabLeavesTheStatusLog)
{
    ASSERT_TRUE(activate_main_window());
    ui().StatusLog->setFocus(Qt::TabFocusReason);
    process_events();
    const QString before = ui().StatusLog->toPlainText();
    QTest::keyClick(ui().StatusLog, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), ui().StatusLog);
    EXPECT_EQ(ui().StatusLog->toPlainText(), before);
}

} // namespace
