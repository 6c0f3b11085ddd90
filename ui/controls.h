#pragma once
// Every named control of the main window. Each widget's objectName is its
// name; arrays are indexed from 1 (intervals 1..12, channels 1..5), index 0
// stays null. Filled once by build_main_window() and never rebuilt.

#include <array>
#include <cstddef>

class QAction;
class QCheckBox;
class QComboBox;
class QMainWindow;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTextEdit;
class QTimeEdit;
class QToolBar;
class NumericEdit;
class WarningPicture;

// The ids that menu items and toolbar buttons raise; both share them.
enum class MenuId { New = 0, Open = 1, Save = 2, Exit = 3, Help = 4, Site = 5, About = 6 };
inline constexpr std::size_t MENU_ID_COUNT = 7;

// One action for each menu id; walked in id order.
class MenuActions {
public:
    QAction*& operator[](MenuId id) { return actions_[index(id)]; }
    QAction* operator[](MenuId id) const { return actions_[index(id)]; }
    [[nodiscard]] auto begin() const { return actions_.begin(); }
    [[nodiscard]] auto end() const { return actions_.end(); }

private:
    static std::size_t index(MenuId id) { return static_cast<std::size_t>(id); }
    std::array<QAction*, MENU_ID_COUNT> actions_{};
};

struct MainControls {
    QMainWindow* MainWindow = nullptr;
    QToolBar* MainToolBar = nullptr;
    QMenuBar* MainMenu = nullptr;
    // menu_actions[id] is the menu item, tool_actions[id] the toolbar button.
    MenuActions menu_actions;
    MenuActions tool_actions;

    QTabWidget* MainPanel = nullptr; // page 0 "Конфигурация", page 1 "Оптика"

    // "Настройка портов"
    QComboBox* PortCombo = nullptr;
    QPushButton* DeviceManagerButton = nullptr;
    QPushButton* ConnectButton = nullptr;

    // "Статус устройства"
    QTextEdit* StatusLog = nullptr;
    QPushButton* WriteProgramButton = nullptr;
    QPushButton* ReadProgramButton = nullptr;
    QPushButton* DisconnectButton = nullptr;
    NumericEdit* SystemDateEdit = nullptr;
    NumericEdit* DeviceDateEdit = nullptr;
    QPushButton* SyncClockButton = nullptr;

    // "Недельные планы"
    QComboBox* WeekdayCombo = nullptr;
    QPushButton* CopyTimeParamsButton = nullptr;
    WarningPicture* DuplicateIntervalsWarning = nullptr;
    WarningPicture* VolumeRangeWarning = nullptr;
    std::array<QCheckBox*, 13> IntervalEnabledCheck{};
    std::array<QTimeEdit*, 13> IntervalTimePicker{};
    std::array<NumericEdit*, 13> IntervalVolumeEdit{};

    // sound group
    QComboBox* SoundTypeCombo = nullptr;
    NumericEdit* FastPulseTimeEdit = nullptr;
    QCheckBox* SoundOffCheck = nullptr;
    QCheckBox* SoundSimulationCheck = nullptr;

    // "Оптика": channel c = 1 ModuleRed, 2 ModuleGreen, 3 ModuleYellow,
    // 4 IndicatorRed, 5 IndicatorGreen (ModuleRedWarning, ModuleRedSlider,
    // ModuleRedEdit, ...).
    std::array<WarningPicture*, 6> ChannelWarning{};
    std::array<QSlider*, 6> ChannelSlider{};
    std::array<NumericEdit*, 6> ChannelEdit{};
    QCheckBox* BrightnessSimulationCheck = nullptr;
    QPushButton* FactoryResetButton = nullptr;
    QCheckBox* UserSettingsCheck = nullptr;
    NumericEdit* MinModuleBrightnessEdit = nullptr;
    NumericEdit* MinIndicatorBrightnessEdit = nullptr;
    QComboBox* OpticalSensorCombo = nullptr;
    WarningPicture* LuxThresholdWarning = nullptr;
    QRadioButton* DarkThresholdOption = nullptr;
    QRadioButton* LightThresholdOption = nullptr;
    NumericEdit* DarkThresholdEdit = nullptr;
    NumericEdit* LightThresholdEdit = nullptr;
};
