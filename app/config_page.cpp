// Page "Конфигурация": left half ports and device status, right half the
// weekly plans and the sound group.

#include "app/widget_make.h"
#include "app/window_pages.h"
#include "ui/controls.h"
#include "ui/numeric_edit.h"
#include "ui/pictures.h"
#include "ui/warning_picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QTextOption>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <string>

namespace {

constexpr int kRowPitch = 25; // interval rows are 25 pixels apart

std::string indexed(const char* base, int n)
{
    return std::string(base) + std::to_string(n);
}

QGroupBox* build_ports_frame(QWidget* page, MainControls& ui)
{
    auto* frame = new QGroupBox(QStringLiteral("Настройка портов"), page);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    ui.PortCombo = make::named<QComboBox>(frame, "PortCombo");
    grid->addWidget(make::label(frame, QStringLiteral("Порт"), ui.PortCombo), 0, 0);
    ui.PortCombo->setMinimumWidth(78);
    ui.PortCombo->setMaxVisibleItems(20);
    grid->addWidget(ui.PortCombo, 1, 0);
    ui.DeviceManagerButton =
        make::named<QPushButton>(frame, "DeviceManagerButton", QStringLiteral("Диспетчер устройств"));
    grid->addWidget(ui.DeviceManagerButton, 1, 1);
    ui.ConnectButton = make::named<QPushButton>(frame, "ConnectButton", QStringLiteral("Установить связь"));
    grid->addWidget(ui.ConnectButton, 1, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* build_status_frame(QWidget* page, MainControls& ui)
{
    auto* frame = new QGroupBox(QStringLiteral("Статус устройства"), page);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 4, 6, 6);
    row->setSpacing(6);

    ui.StatusLog = make::named<QTextEdit>(frame, "StatusLog");
    ui.StatusLog->setFixedSize(180, 235);
    // The box is narrow and its size fixed: a long line wraps (at a blank,
    // or anywhere in a word longer than the box) and shows whole, its
    // continuation indented (StatusLog), instead of running out of sight.
    ui.StatusLog->setLineWrapMode(QTextEdit::WidgetWidth);
    ui.StatusLog->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ui.StatusLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.StatusLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    row->addWidget(ui.StatusLog, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    ui.WriteProgramButton =
        make::named<QPushButton>(frame, "WriteProgramButton", QStringLiteral("Запись программы"));
    ui.ReadProgramButton =
        make::named<QPushButton>(frame, "ReadProgramButton", QStringLiteral("Чтение программы "));
    ui.DisconnectButton =
        make::named<QPushButton>(frame, "DisconnectButton", QStringLiteral("Разорвать связь"));
    column->addWidget(ui.WriteProgramButton);
    column->addWidget(ui.ReadProgramButton);
    column->addWidget(ui.DisconnectButton);
    column->addSpacing(6);
    column->addWidget(make::label(frame, QStringLiteral("Работа с RTC:")));
    // Only the clock display writes both dates; the keyboard may still read
    // them.
    ui.SystemDateEdit = make::named<DisplayEdit>(frame, "SystemDateEdit");
    column->addWidget(make::label(frame, QStringLiteral("Системная дата"), ui.SystemDateEdit));
    column->addWidget(ui.SystemDateEdit);
    column->addWidget(make::label(frame, QStringLiteral("Дата счит. с устройства")));
    ui.DeviceDateEdit = make::named<DisplayEdit>(frame, "DeviceDateEdit");
    column->addWidget(ui.DeviceDateEdit);
    ui.SyncClockButton = make::named<QPushButton>(frame, "SyncClockButton", QStringLiteral("Синхр.часы"));
    column->addWidget(ui.SyncClockButton);
    column->addStretch(1);
    row->addLayout(column, 1);
    return frame;
}

void add_interval_row(QWidget* frame, QGridLayout* grid, MainControls& ui, int n, const QTime& now)
{
    const int row = (n - 1) % 6;
    const int col = (n - 1) / 6 * 4;
    auto* check =
        make::named<QCheckBox>(frame, indexed("IntervalEnabledCheck", n).c_str(), QStringLiteral("Включен"));
    auto* picker = make::named<QTimeEdit>(frame, indexed("IntervalTimePicker", n).c_str());
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    picker->setTime(now);
    picker->setFixedWidth(58);
    auto* volume = make::named<NumericEdit>(frame, indexed("IntervalVolumeEdit", n).c_str());
    volume->setFixedWidth(32);
    grid->addWidget(check, row, col);
    grid->addWidget(picker, row, col + 1);
    grid->addWidget(volume, row, col + 2);
    grid->setRowMinimumHeight(row, kRowPitch);
    const auto i = static_cast<std::size_t>(n);
    ui.IntervalEnabledCheck[i] = check;
    ui.IntervalTimePicker[i] = picker;
    ui.IntervalVolumeEdit[i] = volume;
}

QGroupBox* build_plans_frame(QWidget* page, MainControls& ui, const QTime& now)
{
    auto* frame = new QGroupBox(QStringLiteral("Недельные планы"), page);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(6, 2, 6, 6);
    column->setSpacing(4);

    auto* first = new QHBoxLayout;
    first->setSpacing(4);
    ui.WeekdayCombo = make::named<QComboBox>(frame, "WeekdayCombo");
    first->addWidget(make::label(frame, QStringLiteral("День недели"), ui.WeekdayCombo));
    ui.WeekdayCombo->setMinimumWidth(140);
    first->addWidget(ui.WeekdayCombo);
    ui.CopyTimeParamsButton = make::named<QPushButton>(frame, "CopyTimeParamsButton");
    ui.CopyTimeParamsButton->setIcon(picture_icon(Picture::CopyTimeParams));
    ui.CopyTimeParamsButton->setIconSize(QSize(24, 24));
    ui.CopyTimeParamsButton->setFixedSize(32, 30);
    first->addWidget(ui.CopyTimeParamsButton);
    // Both plan warnings share one place.
    auto* place = new QWidget(frame);
    place->setFixedSize(45, 30);
    ui.DuplicateIntervalsWarning = make::named<WarningPicture>(place, "DuplicateIntervalsWarning");
    ui.VolumeRangeWarning = make::named<WarningPicture>(place, "VolumeRangeWarning");
    for (WarningPicture* warning : {ui.DuplicateIntervalsWarning, ui.VolumeRangeWarning}) {
        warning->move(0, 0);
        warning->setPixmap(picture(Picture::Warning));
    }
    first->addWidget(place);
    first->addStretch(1);
    column->addLayout(first);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(0);
    grid->setColumnMinimumWidth(3, 6);
    for (int n = 1; n <= 12; ++n)
        add_interval_row(frame, grid, ui, n, now);
    column->addLayout(grid);
    return frame;
}

QGroupBox* build_sound_frame(QWidget* page, MainControls& ui)
{
    auto* frame = new QGroupBox(page);
    // The frame has no caption to be heard by.
    frame->setAccessibleName(QStringLiteral("Звуковое сопровождение"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    ui.SoundTypeCombo = make::named<QComboBox>(frame, "SoundTypeCombo");
    grid->addWidget(make::label(frame, QStringLiteral("Вид звукового сопровождения"), ui.SoundTypeCombo), 0,
                    0);
    grid->addWidget(ui.SoundTypeCombo, 1, 0);
    grid->addWidget(make::label(frame, QStringLiteral("Время перехода на частые звук.импульсы")), 2, 0);
    ui.FastPulseTimeEdit = make::named<NumericEdit>(frame, "FastPulseTimeEdit");
    ui.FastPulseTimeEdit->setFixedWidth(60);
    grid->addWidget(ui.FastPulseTimeEdit, 3, 0, Qt::AlignLeft);
    ui.SoundOffCheck =
        make::named<QCheckBox>(frame, "SoundOffCheck", QStringLiteral("Отключить звуковое сопровождение"));
    grid->addWidget(ui.SoundOffCheck, 4, 0);
    ui.SoundSimulationCheck =
        make::named<QCheckBox>(frame, "SoundSimulationCheck", QStringLiteral("Включить симуляцию"));
    grid->addWidget(ui.SoundSimulationCheck, 5, 0);
    return frame;
}

} // namespace

void build_config_page(QWidget* page, MainControls& ui, const QTime& now)
{
    auto* halves = new QHBoxLayout(page);
    halves->setContentsMargins(4, 4, 4, 4);
    halves->setSpacing(6);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(build_ports_frame(page, ui));
    left->addWidget(build_status_frame(page, ui), 1);
    halves->addLayout(left, 0);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(build_plans_frame(page, ui, now));
    right->addWidget(build_sound_frame(page, ui), 1);
    halves->addLayout(right, 1);
}
