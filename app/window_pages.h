#pragma once
// The two pages of MainPanel. Each fills its page widget with its frames and
// controls and records the named ones in ui.

struct MainControls;
class QTime;
class QWidget;

// Page "Конфигурация": ports, device status, weekly plans, sound group.
void build_config_page(QWidget* page, MainControls& ui, const QTime& now);

// Page "Оптика": brightness channels, minimum brightness, automatic control.
// Leaves OpticalSensorCombo on "Откл.оптический датчик" and DarkThresholdOption
// selected.
void build_optics_page(QWidget* page, MainControls& ui);
