// Page "Оптика": left the brightness channels of module and indicator, right
// the minimum brightness and the automatic brightness control.

#include "app/widget_make.h"
#include "app/window_pages.h"
#include "ui/controls.h"
#include "ui/numeric_edit.h"
#include "ui/pictures.h"
#include "ui/threshold_option.h"
#include "ui/warning_picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <string>

namespace {

struct Channel {
    int number;       // 1..5
    const char* name; // prefix of the three controls of the row
    const char* colour;
};

constexpr Channel kModuleChannels[] = {
    {1, "ModuleRed", "Красный"}, {2, "ModuleGreen", "Зеленый"}, {3, "ModuleYellow", "Желтый"}};
constexpr Channel kIndicatorChannels[] = {{4, "IndicatorRed", "Красный"}, {5, "IndicatorGreen", "Зеленый"}};

WarningPicture* make_warning(QWidget* parent, const char* name)
{
    auto* warning = make::named<WarningPicture>(parent, name);
    warning->setPixmap(picture(Picture::Warning));
    return warning;
}

NumericEdit* make_edit(QWidget* parent, const char* name, int width)
{
    auto* edit = make::named<NumericEdit>(parent, name);
    edit->setFixedWidth(width);
    return edit;
}

void add_channel_row(QWidget* frame, QGridLayout* grid, int row, const Channel& channel, MainControls& ui)
{
    const std::string base = channel.name;
    const auto c = static_cast<std::size_t>(channel.number);
    ui.ChannelWarning[c] = make_warning(frame, (base + "Warning").c_str());
    auto* slider = make::named<QSlider>(frame, (base + "Slider").c_str(), Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(10);
    slider->setMinimumWidth(170);
    ui.ChannelSlider[c] = slider;
    ui.ChannelEdit[c] = make_edit(frame, (base + "Edit").c_str(), 40);

    grid->addWidget(ui.ChannelWarning[c], row, 0);
    grid->addWidget(make::label(frame, QString::fromUtf8(channel.colour)), row, 1);
    grid->addWidget(slider, row, 2);
    grid->addWidget(ui.ChannelEdit[c], row, 3);
    grid->addWidget(make::unit(frame, QStringLiteral("%")), row, 4);
}

template <std::size_t N>
QGroupBox* build_channel_frame(QWidget* page, const QString& title, const Channel (&channels)[N],
                               MainControls& ui)
{
    auto* frame = new QGroupBox(title, page);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(2, 1);
    for (std::size_t i = 0; i < N; ++i)
        add_channel_row(frame, grid, static_cast<int>(i), channels[i], ui);
    return frame;
}

QGroupBox* build_minimum_frame(QWidget* page, MainControls& ui)
{
    auto* frame = new QGroupBox(QStringLiteral("Минимальная яркость"), page);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    ui.UserSettingsCheck =
        make::named<QCheckBox>(frame, "UserSettingsCheck", QStringLiteral("Пользовательские установки "));
    grid->addWidget(ui.UserSettingsCheck, 0, 0, 1, 3);
    ui.MinModuleBrightnessEdit = make_edit(frame, "MinModuleBrightnessEdit", 40);
    ui.MinIndicatorBrightnessEdit = make_edit(frame, "MinIndicatorBrightnessEdit", 40);
    grid->addWidget(make::label(frame, QStringLiteral("Мин.ярк.светоизлучающего модуля")), 1, 0);
    grid->addWidget(ui.MinModuleBrightnessEdit, 1, 1);
    grid->addWidget(make::unit(frame, QStringLiteral("%")), 1, 2);
    grid->addWidget(make::label(frame, QStringLiteral("Мин.ярк.цифрового индикатора ")), 2, 0);
    grid->addWidget(ui.MinIndicatorBrightnessEdit, 2, 1);
    grid->addWidget(make::unit(frame, QStringLiteral("%")), 2, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}

QRadioButton* make_option(QWidget* parent, const char* name, const QString& caption)
{
    // The two options exclude each other through their handlers only.
    return make::named<ThresholdOption>(parent, name, caption);
}

QGroupBox* build_automatic_frame(QWidget* page, MainControls& ui)
{
    auto* frame = new QGroupBox(QStringLiteral("Автоматическая регулировка яркости"), page);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    ui.OpticalSensorCombo = make::named<QComboBox>(frame, "OpticalSensorCombo");
    ui.OpticalSensorCombo->addItem(QStringLiteral("Откл.оптический датчик"));
    ui.OpticalSensorCombo->addItem(QStringLiteral("Вкл.оптический датчик"));
    ui.OpticalSensorCombo->setCurrentText(QStringLiteral("Откл.оптический датчик"));
    ui.LuxThresholdWarning = make_warning(frame, "LuxThresholdWarning");
    auto* sensor_row = new QHBoxLayout;
    sensor_row->addWidget(ui.OpticalSensorCombo);
    sensor_row->addWidget(ui.LuxThresholdWarning);
    sensor_row->addStretch(1);
    grid->addLayout(sensor_row, 0, 0, 1, 3);

    ui.DarkThresholdOption =
        make_option(frame, "DarkThresholdOption", QStringLiteral("Темное время суток.Освещ.меньше "));
    ui.DarkThresholdEdit = make_edit(frame, "DarkThresholdEdit", 52);
    ui.LightThresholdOption =
        make_option(frame, "LightThresholdOption", QStringLiteral("Светлое врем суток.Освещ.больше"));
    ui.LightThresholdEdit = make_edit(frame, "LightThresholdEdit", 52);
    grid->addWidget(ui.DarkThresholdOption, 1, 0);
    grid->addWidget(ui.DarkThresholdEdit, 1, 1);
    grid->addWidget(make::unit(frame, QStringLiteral("L")), 1, 2);
    grid->addWidget(ui.LightThresholdOption, 2, 0);
    grid->addWidget(ui.LightThresholdEdit, 2, 1);
    grid->addWidget(make::unit(frame, QStringLiteral("L")), 2, 2);
    grid->setColumnStretch(3, 1);
    ui.DarkThresholdOption->setChecked(true);
    return frame;
}

} // namespace

void build_optics_page(QWidget* page, MainControls& ui)
{
    auto* halves = new QHBoxLayout(page);
    halves->setContentsMargins(4, 4, 4, 4);
    halves->setSpacing(6);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(
        build_channel_frame(page, QStringLiteral("Яркость светоизлучающего модуля "), kModuleChannels, ui));
    left->addWidget(
        build_channel_frame(page, QStringLiteral("Яркость цифрового индикатора"), kIndicatorChannels, ui));
    auto* bottom = new QHBoxLayout;
    ui.BrightnessSimulationCheck =
        make::named<QCheckBox>(page, "BrightnessSimulationCheck", QStringLiteral("Включить симуляцию"));
    ui.FactoryResetButton = make::named<QPushButton>(page, "FactoryResetButton",
                                                     QStringLiteral("Сбросить к заводским установкам "));
    bottom->addWidget(ui.BrightnessSimulationCheck);
    bottom->addStretch(1);
    bottom->addWidget(ui.FactoryResetButton);
    bottom->addStretch(1);
    left->addLayout(bottom);
    left->addStretch(1);
    halves->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(build_minimum_frame(page, ui));
    right->addWidget(build_automatic_frame(page, ui));
    right->addStretch(1);
    halves->addLayout(right, 1);
}
