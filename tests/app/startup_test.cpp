// The main window right after start: identities, kinds, captions, item
// lists, ranges and the initial enabling of every control.

#include "support/app_fixture.h"

#include "link/status_log.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

using StartUp = AppFixture;

template <typename W> W* find(QMainWindow* window, const QString& name)
{
    return window->findChild<W*>(name);
}

std::vector<std::string> numbered(const char* base)
{
    std::vector<std::string> names;
    for (int n = 1; n <= 12; ++n)
        names.push_back(base + std::to_string(n));
    return names;
}

TEST_F(StartUp, WindowTitleSizeAndButtons)
{
    QMainWindow* window = ui().MainWindow;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "MainWindow");
    EXPECT_EQ(window->windowTitle(), "Vestorin Zuzo transport");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->size(), QSize(771, 474));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(StartUp, ToolbarButtonsInOrderWithIdsPicturesAndTooltips)
{
    const struct {
        MenuId id;
        const char* name;
        const char* tooltip;
    } expected[] = {
        {MenuId::New, "ToolNewButton", "Создать новый документ"},
        {MenuId::Open, "ToolOpenButton", "Открыть файл"},
        {MenuId::Save, "ToolSaveButton", "Сохранить файл"},
        {MenuId::Help, "ToolHelpButton", "Открыть справку"},
        {MenuId::Site, "ToolSiteButton", "Сайт программы"},
        {MenuId::About, "ToolAboutButton", "О программе"},
        {MenuId::Exit, "ToolExitButton", "Выход"},
    };
    QToolBar* bar = ui().MainToolBar;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "MainToolBar");
    std::vector<QAction*> buttons;
    int separators = 0;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            ++separators;
        else
            buttons.push_back(action);
    }
    EXPECT_EQ(separators, 2);
    ASSERT_EQ(buttons.size(), std::size(expected));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(buttons[i], ui().tool_actions[expected[i].id]);
        EXPECT_EQ(buttons[i]->toolTip(), QString::fromUtf8(expected[i].tooltip));
        EXPECT_FALSE(buttons[i]->icon().isNull());
        QWidget* widget = bar->widgetForAction(buttons[i]);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(expected[i].name));
    }
    // The two separators sit after Save and after About.
    const QList<QAction*> all = bar->actions();
    EXPECT_TRUE(all.at(3)->isSeparator());
    EXPECT_TRUE(all.at(7)->isSeparator());
}

TEST_F(StartUp, MenuTitlesItemsAndIds)
{
    QMenuBar* menu = ui().MainMenu;
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "MainMenu");
    const QList<QAction*> titles = menu->actions();
    ASSERT_EQ(titles.size(), 2);
    // The captions with their access letters ("&", underlined, not shown),
    // one letter per caption within each menu. Fault: no letters at all.
    EXPECT_EQ(titles[0]->text(), "&Файл");
    EXPECT_EQ(titles[1]->text(), "&Справка");

    QStringList file_items;
    for (QAction* item : titles[0]->menu()->actions())
        file_items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(file_items, QStringList({"&Создать", "&Открыть", "Со&хранить", "-", "&Выход"}));
    QStringList help_items;
    for (QAction* item : titles[1]->menu()->actions())
        help_items << item->text();
    EXPECT_EQ(help_items, QStringList({"&Справка", "С&айт", "&О программе"}));

    const char* by_id[] = {"&Создать", "&Открыть", "Со&хранить",  "&Выход",
                           "&Справка", "С&айт",    "&О программе"};
    for (std::size_t id = 0; id < MENU_ID_COUNT; ++id) {
        ASSERT_NE(ui().menu_actions[static_cast<MenuId>(id)], nullptr);
        EXPECT_EQ(ui().menu_actions[static_cast<MenuId>(id)]->text(), QString::fromUtf8(by_id[id])) << id;
    }
}

TEST_F(StartUp, EveryNamedControlIsAWidgetOfItsKind)
{
    QMainWindow* w = ui().MainWindow;
    const std::vector<std::string> buttons = {
        "DeviceManagerButton", "ConnectButton",   "WriteProgramButton",   "ReadProgramButton",
        "DisconnectButton",    "SyncClockButton", "CopyTimeParamsButton", "FactoryResetButton"};
    for (const auto& name : buttons)
        EXPECT_NE(find<QPushButton>(w, QString::fromStdString(name)), nullptr) << name;

    std::vector<std::string> edits = {
        "SystemDateEdit",          "DeviceDateEdit",    "FastPulseTimeEdit",          "ModuleRedEdit",
        "ModuleGreenEdit",         "ModuleYellowEdit",  "IndicatorRedEdit",           "IndicatorGreenEdit",
        "MinModuleBrightnessEdit", "DarkThresholdEdit", "MinIndicatorBrightnessEdit", "LightThresholdEdit"};
    for (const auto& name : numbered("IntervalVolumeEdit"))
        edits.push_back(name);
    for (const auto& name : edits)
        EXPECT_NE(find<NumericEdit>(w, QString::fromStdString(name)), nullptr) << name;

    const std::vector<std::string> warnings = {
        "DuplicateIntervalsWarning", "VolumeRangeWarning",  "ModuleRedWarning",      "ModuleGreenWarning",
        "ModuleYellowWarning",       "IndicatorRedWarning", "IndicatorGreenWarning", "LuxThresholdWarning"};
    for (const auto& name : warnings) {
        auto* warning = find<WarningPicture>(w, QString::fromStdString(name));
        ASSERT_NE(warning, nullptr) << name;
        EXPECT_FALSE(warning->pixmap().isNull()) << name;
        EXPECT_EQ(warning->size(), QSize(45, 30)) << name;
    }

    for (const char* name : {"PortCombo", "WeekdayCombo", "SoundTypeCombo", "OpticalSensorCombo"}) {
        auto* combo = find<QComboBox>(w, QString::fromLatin1(name));
        ASSERT_NE(combo, nullptr) << name;
        EXPECT_FALSE(combo->isEditable()) << name;
    }
    for (const char* name : {"ModuleRedSlider", "ModuleGreenSlider", "ModuleYellowSlider",
                             "IndicatorRedSlider", "IndicatorGreenSlider"}) {
        auto* slider = find<QSlider>(w, QString::fromLatin1(name));
        ASSERT_NE(slider, nullptr) << name;
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 100);
        EXPECT_EQ(slider->singleStep(), 1);
        EXPECT_EQ(slider->orientation(), Qt::Horizontal);
        EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
    }
    for (const auto& name : numbered("IntervalTimePicker")) {
        auto* picker = find<QTimeEdit>(w, QString::fromStdString(name));
        ASSERT_NE(picker, nullptr) << name;
        EXPECT_EQ(picker->displayFormat(), "HH:mm") << name;
    }
    for (const auto& name : numbered("IntervalEnabledCheck")) {
        auto* check = find<QCheckBox>(w, QString::fromStdString(name));
        ASSERT_NE(check, nullptr) << name;
        EXPECT_EQ(check->text(), "Включен") << name;
    }
    EXPECT_NE(find<QTextEdit>(w, "StatusLog"), nullptr);
    EXPECT_NE(find<QTabWidget>(w, "MainPanel"), nullptr);
}

TEST_F(StartUp, CaptionsKeepTheirTrailingBlanks)
{
    const struct {
        const char* name;
        const char* caption;
    } captions[] = {
        {"DeviceManagerButton", "Диспетчер устройств"},
        {"ConnectButton", "Установить связь"},
        {"WriteProgramButton", "Запись программы"},
        {"ReadProgramButton", "Чтение программы "},
        {"DisconnectButton", "Разорвать связь"},
        {"SyncClockButton", "Синхр.часы"},
        {"SoundOffCheck", "Отключить звуковое сопровождение"},
        {"SoundSimulationCheck", "Включить симуляцию"},
        {"BrightnessSimulationCheck", "Включить симуляцию"},
        {"FactoryResetButton", "Сбросить к заводским установкам "},
        {"UserSettingsCheck", "Пользовательские установки "},
        {"DarkThresholdOption", "Темное время суток.Освещ.меньше "},
        {"LightThresholdOption", "Светлое врем суток.Освещ.больше"},
    };
    for (const auto& c : captions) {
        auto* button = find<QAbstractButton>(ui().MainWindow, QString::fromLatin1(c.name));
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(c.caption)) << c.name;
    }
}

TEST_F(StartUp, TabsAndFrames)
{
    QTabWidget* panel = ui().MainPanel;
    ASSERT_EQ(panel->count(), 2);
    EXPECT_EQ(panel->tabText(0), "Конфигурация");
    EXPECT_EQ(panel->tabText(1), "Оптика");
    EXPECT_EQ(panel->currentIndex(), 0);
    // Every control lies on one of the two pages.
    EXPECT_TRUE(panel->widget(0)->isAncestorOf(ui().PortCombo));
    EXPECT_TRUE(panel->widget(0)->isAncestorOf(ui().IntervalVolumeEdit[12]));
    EXPECT_TRUE(panel->widget(0)->isAncestorOf(ui().SoundSimulationCheck));
    EXPECT_TRUE(panel->widget(1)->isAncestorOf(ui().ChannelSlider[5]));
    EXPECT_TRUE(panel->widget(1)->isAncestorOf(ui().LightThresholdEdit));
}

// A line wider than the status log shows whole: it wraps inside the box,
// each row within its width, and the rows after the first are indented.
// Fault: the log cut the line at its right edge ("Ошибка отры").
TEST_F(StartUp, ALongLogLineWrapsWholeWithItsContinuationIndented)
{
    stop_timers();
    app().status_log().log_status(QStringLiteral(" Ошибка отрытия COM33"), LOG_STAMPED);
    app().status_log().log_status(QString(35, QLatin1Char('-')), LOG_PLAIN);
    process_events();
    const int room = ui().StatusLog->viewport()->width();
    for (QTextBlock block = ui().StatusLog->document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        ASSERT_NE(layout, nullptr);
        for (int row = 0; row < layout->lineCount(); ++row) {
            const QTextLine line = layout->lineAt(row);
            EXPECT_LE(layout->position().x() + line.x() + line.naturalTextWidth(), room)
                << block.text().toStdString() << ", row " << row;
            if (row > 0) {
                EXPECT_GT(line.x(), layout->lineAt(0).x()) << block.text().toStdString();
            }
        }
    }
    EXPECT_GE(ui().StatusLog->document()->firstBlock().layout()->lineCount(), 2);
}

TEST_F(StartUp, InitialTextsAndSelections)
{
    ASSERT_EQ(ui().PortCombo->count(), 200);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(ui().PortCombo->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    EXPECT_EQ(ui().PortCombo->currentText(), "COM1");

    QStringList weekdays;
    for (int i = 0; i < ui().WeekdayCombo->count(); ++i)
        weekdays << ui().WeekdayCombo->itemText(i);
    EXPECT_EQ(weekdays, QStringList({"Понедельник", "Вторник", "Среда", "Четверг", "Пятница", "Суббота",
                                     "Воскресенье"}));
    EXPECT_EQ(ui().WeekdayCombo->currentText(), "Понедельник");

    ASSERT_EQ(ui().SoundTypeCombo->count(), 3);
    EXPECT_EQ(ui().SoundTypeCombo->itemText(2), "Сигнал №3");
    EXPECT_EQ(ui().SoundTypeCombo->currentText(), "Сигнал №1");
    EXPECT_EQ(ui().FastPulseTimeEdit->text(), "10");
    EXPECT_FALSE(ui().SoundOffCheck->isChecked());

    ASSERT_EQ(ui().OpticalSensorCombo->count(), 2);
    EXPECT_EQ(ui().OpticalSensorCombo->itemText(0), "Откл.оптический датчик");
    EXPECT_EQ(ui().OpticalSensorCombo->itemText(1), "Вкл.оптический датчик");
    EXPECT_EQ(ui().OpticalSensorCombo->currentText(), "Откл.оптический датчик");
    EXPECT_TRUE(ui().DarkThresholdOption->isChecked());
    EXPECT_FALSE(ui().LightThresholdOption->isChecked());
    EXPECT_FALSE(ui().DarkThresholdOption->autoExclusive());
    EXPECT_FALSE(ui().LightThresholdOption->autoExclusive());

    EXPECT_TRUE(ui().DuplicateIntervalsWarning->isHidden());
    EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 1);
    EXPECT_TRUE(boxes().shown.empty());
}

TEST_F(StartUp, ControlsDisabledAtStart)
{
    std::vector<QWidget*> disabled = {ui().WeekdayCombo,   ui().SoundTypeCombo,       ui().FastPulseTimeEdit,
                                      ui().SoundOffCheck,  ui().SoundSimulationCheck, ui().SyncClockButton,
                                      ui().DeviceDateEdit, ui().CopyTimeParamsButton};
    for (int n = 1; n <= 12; ++n)
        disabled.push_back(ui().IntervalEnabledCheck[static_cast<std::size_t>(n)]);
    for (QWidget* widget : disabled)
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    for (QWidget* widget :
         {static_cast<QWidget*>(ui().PortCombo), static_cast<QWidget*>(ui().ConnectButton),
          static_cast<QWidget*>(ui().DeviceManagerButton), static_cast<QWidget*>(ui().StatusLog),
          static_cast<QWidget*>(ui().SystemDateEdit)})
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
}

TEST_F(StartUp, TransferButtonsEnabledUntilTheFirstTickThenFollowTheLink)
{
    const QList<QPushButton*> transfer = {ui().WriteProgramButton, ui().ReadProgramButton,
                                          ui().DisconnectButton};
    for (QPushButton* button : transfer)
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    // The first tick of the running timer, with no port open.
    QSignalSpy ticks(app().status_timer(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    for (QPushButton* button : transfer)
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(ui().SyncClockButton->isEnabled());
    EXPECT_FALSE(ui().SoundSimulationCheck->isEnabled());
}

TEST_F(StartUp, BothTimersRunOnTheMainWindowWithTheirPeriods)
{
    EXPECT_TRUE(app().status_timer()->isActive());
    EXPECT_EQ(app().status_timer()->interval(), 300);
    EXPECT_EQ(app().status_timer()->parent(), ui().MainWindow);
    EXPECT_TRUE(app().port_timer()->isActive());
    EXPECT_EQ(app().port_timer()->interval(), 1000);
    EXPECT_EQ(app().port_timer()->parent(), ui().MainWindow);
}

TEST_F(StartUp, TicksAreDroppedWhileAHandlerRunsANestedLoop)
{
    stop_timers();
    ui().WriteProgramButton->setEnabled(true);
    ui().SyncClockButton->setEnabled(true);
    ctx().busy = 1;
    status_tick();
    EXPECT_TRUE(ui().WriteProgramButton->isEnabled());
    EXPECT_TRUE(ui().SyncClockButton->isEnabled());
    ctx().busy = 0;
    status_tick();
    EXPECT_FALSE(ui().WriteProgramButton->isEnabled());
    EXPECT_FALSE(ui().SyncClockButton->isEnabled());
}

} // namespace
