#include "app/accessibility.h"

#include "ui/controls.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolBar>

#include <array>
#include <vector>

namespace {

// The colour the row shows first, then what it is the brightness of.
constexpr std::array<const char*, 6> kChannelNames = {
    "",
    "Красный, яркость модуля",
    "Зеленый, яркость модуля",
    "Желтый, яркость модуля",
    "Красный, яркость индикатора",
    "Зеленый, яркость индикатора",
};

void name(QWidget* widget, const QString& text, const QString& description = {})
{
    if (widget == nullptr)
        return;
    widget->setAccessibleName(text);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

void name(QWidget* widget, const char* text, const char* description = nullptr)
{
    name(widget, QString::fromUtf8(text), description ? QString::fromUtf8(description) : QString());
}

// Chains the widgets in the given order; null entries are skipped.
void chain(const std::vector<QWidget*>& order)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (widget == nullptr)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void describe_config_page(const MainControls& ui)
{
    name(ui.PortCombo, "Порт");
    name(ui.DeviceManagerButton, "Диспетчер устройств");
    name(ui.ConnectButton, "Установить связь");
    name(ui.StatusLog, "Статус устройства");
    name(ui.WriteProgramButton, "Запись программы");
    name(ui.ReadProgramButton, "Чтение программы");
    name(ui.DisconnectButton, "Разорвать связь");
    name(ui.SystemDateEdit, "Системная дата");
    // Shortened on the screen: the words in full in the description.
    name(ui.DeviceDateEdit, "Дата счит. с устройства", "Дата, считанная с устройства");
    name(ui.SyncClockButton, "Синхр.часы", "Синхронизация часов");
    name(ui.WeekdayCombo, "День недели");
    name(ui.CopyTimeParamsButton, "Копирование временных параметров");
    name(ui.DuplicateIntervalsWarning, "Предупреждение: повторяющиеся интервалы");
    name(ui.VolumeRangeWarning, "Предупреждение: громкость интервала");
    for (int n = 1; n <= 12; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const QString number = QString::number(n);
        // The caption, then which interval; the check box's own state says
        // whether the interval is on.
        name(ui.IntervalEnabledCheck[i], QStringLiteral("Включен, интервал %1").arg(number));
        name(ui.IntervalTimePicker[i], QStringLiteral("Время интервала %1").arg(number));
        name(ui.IntervalVolumeEdit[i], QStringLiteral("Громкость интервала %1").arg(number),
             QStringLiteral("в процентах"));
    }
    name(ui.SoundTypeCombo, "Вид звукового сопровождения");
    name(ui.FastPulseTimeEdit, "Время перехода на частые звук.импульсы",
         "Время перехода на частые звуковые импульсы");
    name(ui.SoundOffCheck, "Отключить звуковое сопровождение");
    name(ui.SoundSimulationCheck, "Включить симуляцию звука");
    if (ui.StatusLog != nullptr) {
        ui.StatusLog->setTabChangesFocus(true);
        name(ui.StatusLog->horizontalScrollBar(), "Статус устройства, прокрутка по горизонтали");
        name(ui.StatusLog->verticalScrollBar(), "Статус устройства, прокрутка по вертикали");
    }
}

void describe_optics_page(const MainControls& ui)
{
    for (int c = 1; c <= 5; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const QString channel = QString::fromUtf8(kChannelNames[i]);
        name(ui.ChannelSlider[i], channel);
        name(ui.ChannelEdit[i], channel + QStringLiteral(", в процентах"));
        name(ui.ChannelWarning[i], QStringLiteral("Предупреждение: ") + channel.toLower());
    }
    name(ui.BrightnessSimulationCheck, "Включить симуляцию яркости");
    name(ui.FactoryResetButton, "Сбросить к заводским установкам");
    name(ui.UserSettingsCheck, "Пользовательские установки");
    name(ui.MinModuleBrightnessEdit, "Мин.ярк.светоизлучающего модуля",
         "Минимальная яркость модуля, в процентах");
    name(ui.MinIndicatorBrightnessEdit, "Мин.ярк.цифрового индикатора",
         "Минимальная яркость индикатора, в процентах");
    // The list has no label: its frame says what it is.
    name(ui.OpticalSensorCombo, "Автоматическая регулировка яркости");
    name(ui.LuxThresholdWarning, "Предупреждение: пороги освещенности");
    name(ui.DarkThresholdOption, "Темное время суток.Освещ.меньше",
         "Темное время суток, освещенность меньше порога");
    name(ui.DarkThresholdEdit, "Порог темного времени суток, в люксах");
    name(ui.LightThresholdOption, "Светлое врем суток.Освещ.больше",
         "Светлое время суток, освещенность больше порога");
    name(ui.LightThresholdEdit, "Порог светлого времени суток, в люксах");
}

} // namespace

const char* channel_accessible_name(int channel)
{
    if (channel < 1 || channel > 5)
        return kChannelNames[0];
    return kChannelNames[static_cast<std::size_t>(channel)];
}

void describe_controls(const MainControls& ui)
{
    name(ui.MainPanel, "Страницы настроек");
    if (ui.MainToolBar != nullptr)
        ui.MainToolBar->setAccessibleName(QStringLiteral("Панель инструментов"));
    // Toolbar buttons speak their tooltip: the action's text.
    for (QAction* action : ui.tool_actions) {
        if (action == nullptr || ui.MainToolBar == nullptr)
            continue;
        name(ui.MainToolBar->widgetForAction(action), action->toolTip());
    }
    // The button that shows the toolbar's hidden buttons when the window is
    // too narrow for all of them.
    if (ui.MainToolBar != nullptr)
        name(ui.MainToolBar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")),
             "Остальные кнопки панели инструментов");
    describe_config_page(ui);
    describe_optics_page(ui);
}

void set_tab_order(const MainControls& ui)
{
    std::vector<QWidget*> config = {ui.PortCombo,
                                    ui.DeviceManagerButton,
                                    ui.ConnectButton,
                                    ui.StatusLog,
                                    ui.WriteProgramButton,
                                    ui.ReadProgramButton,
                                    ui.DisconnectButton,
                                    ui.SystemDateEdit,
                                    ui.DeviceDateEdit,
                                    ui.SyncClockButton,
                                    ui.WeekdayCombo,
                                    ui.CopyTimeParamsButton,
                                    ui.DuplicateIntervalsWarning,
                                    ui.VolumeRangeWarning};
    for (std::size_t n = 1; n <= 12; ++n) {
        config.push_back(ui.IntervalEnabledCheck[n]);
        config.push_back(ui.IntervalTimePicker[n]);
        config.push_back(ui.IntervalVolumeEdit[n]);
    }
    config.insert(config.end(),
                  {ui.SoundTypeCombo, ui.FastPulseTimeEdit, ui.SoundOffCheck, ui.SoundSimulationCheck});
    chain(config);

    std::vector<QWidget*> optics;
    for (std::size_t c = 1; c <= 5; ++c) {
        optics.push_back(ui.ChannelWarning[c]);
        optics.push_back(ui.ChannelSlider[c]);
        optics.push_back(ui.ChannelEdit[c]);
    }
    optics.insert(optics.end(), {ui.BrightnessSimulationCheck, ui.FactoryResetButton, ui.UserSettingsCheck,
                                 ui.MinModuleBrightnessEdit, ui.MinIndicatorBrightnessEdit,
                                 ui.OpticalSensorCombo, ui.LuxThresholdWarning, ui.DarkThresholdOption,
                                 ui.DarkThresholdEdit, ui.LightThresholdOption, ui.LightThresholdEdit});
    chain(optics);
}
