#include "program/optics_editor.h"

#include "program/core/number_text.h"
#include "program/core/optics_range.h"
#include "program/core/optics_rules.h"
#include "program/edit_limits.h"
#include "ui/app_context.h"
#include "ui/control_ops.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using zuzo::EditMode;

namespace {

QString number_text(std::int32_t value)
{
    return QString::fromStdString(zuzo::decimal_text(value));
}

std::int32_t number_of(const QString& text)
{
    return zuzo::lenient_int(text.toStdString());
}

MsgIcon box_icon(zuzo::FaultIcon icon)
{
    return icon == zuzo::FaultIcon::Error ? MsgIcon::Error : MsgIcon::Exclamation;
}

// Every user change and every focus change of a numeric edit reaches handler.
template <typename Handler> void on_every_event(NumericEdit* edit, QObject* context, Handler handler)
{
    QObject::connect(edit, &QLineEdit::textChanged, context, [handler](const QString&) { handler(); });
    QObject::connect(edit, &NumericEdit::focusChanged, context, [handler](bool) { handler(); });
}

} // namespace

OpticsEditor::OpticsEditor(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void OpticsEditor::bind()
{
    MainControls& ui = ctx_.ui;
    for (int c = 1; c <= zuzo::kChannels; ++c) {
        const auto k = static_cast<std::size_t>(c);
        connect(ui.ChannelSlider[k], &QSlider::valueChanged, this, [this, c](int) { on_slider(c); });
        on_every_event(ui.ChannelEdit[k], this, [this, c] { on_channel_edit(c); });
        WarningPicture* warning = ui.ChannelWarning[k];
        connect(warning, &WarningPicture::clicked, this,
                [this, warning, c](Qt::MouseButton button) { on_warning(warning, c, button); });
    }
    zuzo::DeviceProgram& p = ctx_.program;
    on_every_event(ui.MinModuleBrightnessEdit, this,
                   [this, &p] { on_minimum_edit(ctx_.ui.MinModuleBrightnessEdit, p.module_min_brightness); });
    on_every_event(ui.MinIndicatorBrightnessEdit, this, [this, &p] {
        on_minimum_edit(ctx_.ui.MinIndicatorBrightnessEdit, p.indicator_min_brightness);
    });
    on_every_event(ui.DarkThresholdEdit, this,
                   [this, &p] { on_threshold_edit(ctx_.ui.DarkThresholdEdit, p.evening_lux_threshold); });
    on_every_event(ui.LightThresholdEdit, this,
                   [this, &p] { on_threshold_edit(ctx_.ui.LightThresholdEdit, p.day_lux_threshold); });
    connect(ui.OpticalSensorCombo, &QComboBox::activated, this, [this](int) { on_sensor_combo(); });
    connect(ui.DarkThresholdOption, &QAbstractButton::clicked, this, [this] { on_option(true); });
    connect(ui.LightThresholdOption, &QAbstractButton::clicked, this, [this] { on_option(false); });
    connect(ui.UserSettingsCheck, &QAbstractButton::clicked, this, [this] { refresh(); });
    connect(ui.FactoryResetButton, &QAbstractButton::clicked, this, [this] { on_factory_reset(); });
    WarningPicture* lux = ui.LuxThresholdWarning;
    connect(lux, &WarningPicture::clicked, this,
            [this, lux](Qt::MouseButton button) { on_warning(lux, 0, button); });
}

EditMode OpticsEditor::current_mode() const
{
    const MainControls& ui = ctx_.ui;
    return zuzo::edit_mode(ui.OpticalSensorCombo->currentIndex(), ui.DarkThresholdOption->isChecked(),
                           ui.LightThresholdOption->isChecked());
}

void OpticsEditor::refresh()
{
    MainControls& ui = ctx_.ui;
    const zuzo::DeviceProgram& p = ctx_.program;
    const bool known = p.optical_sensor_on == 0 || p.optical_sensor_on == 1;
    ctl::set_index(ui.OpticalSensorCombo, known ? p.optical_sensor_on : -1);

    const EditMode mode = current_mode();
    if (const zuzo::BrightnessSet* set = zuzo::brightness_set(p, mode)) {
        for (int c = 1; c <= zuzo::kChannels; ++c)
            ctl::set_value(ui.ChannelSlider[static_cast<std::size_t>(c)], set->channel(c));
        for (int c = 1; c <= zuzo::kChannels; ++c)
            ctl::set_text(ui.ChannelEdit[static_cast<std::size_t>(c)], number_text(set->channel(c)));
    }
    ctl::set_text(ui.MinModuleBrightnessEdit, number_text(p.module_min_brightness));
    ctl::set_text(ui.MinIndicatorBrightnessEdit, number_text(p.indicator_min_brightness));
    ctl::set_text(ui.DarkThresholdEdit, number_text(p.evening_lux_threshold));
    ctl::set_text(ui.LightThresholdEdit, number_text(p.day_lux_threshold));

    const bool user_settings = ui.UserSettingsCheck->isChecked();
    ui.MinModuleBrightnessEdit->setEnabled(user_settings);
    ui.MinIndicatorBrightnessEdit->setEnabled(user_settings);

    switch (mode) {
    case EditMode::SensorOff:
        ui.DarkThresholdOption->setEnabled(false);
        ui.LightThresholdOption->setEnabled(false);
        ui.DarkThresholdEdit->setEnabled(false);
        ui.LightThresholdEdit->setEnabled(false);
        break;
    case EditMode::Evening:
    case EditMode::Day:
        ui.DarkThresholdOption->setEnabled(true);
        ui.LightThresholdOption->setEnabled(true);
        ui.DarkThresholdEdit->setEnabled(mode == EditMode::Evening);
        ui.LightThresholdEdit->setEnabled(mode == EditMode::Day);
        break;
    case EditMode::None:
        break; // everything keeps what it showed
    }
}

void OpticsEditor::run_rules()
{
    // A value from a file that the device cannot hold shows at its warning too.
    const zuzo::OpticsCodes codes =
        zuzo::with_range_faults(zuzo::run_optics_rules(ctx_.program), ctx_.program);
    const auto show = [](WarningPicture* warning, int code) {
        warning->setVisible(code > 0);
        warning->setUserData(code);
    };
    for (std::size_t c = 1; c <= zuzo::kChannels; ++c)
        show(ctx_.ui.ChannelWarning[c], codes.channel[c]);
    show(ctx_.ui.LuxThresholdWarning, codes.lux);
}

void OpticsEditor::apply_optics_defaults()
{
    zuzo::apply_optics_defaults(ctx_.program);
    refresh();
    run_rules();
}

void OpticsEditor::store_channel(int channel, std::int32_t value)
{
    if (zuzo::BrightnessSet* set = zuzo::brightness_set(ctx_.program, current_mode()))
        set->channel(channel) = value;
}

void OpticsEditor::on_slider(int channel)
{
    const auto k = static_cast<std::size_t>(channel);
    const int value = ctx_.ui.ChannelSlider[k]->value();
    ctl::set_text(ctx_.ui.ChannelEdit[k], number_text(value));
    store_channel(channel, value);
    run_rules();
}

void OpticsEditor::on_channel_edit(int channel)
{
    const auto k = static_cast<std::size_t>(channel);
    NumericEdit* edit = ctx_.ui.ChannelEdit[k];
    const QString text = zuzo::cut_to_limit(edit->text(), zuzo::kPercentLimit);
    if (text != edit->text())
        ctl::set_text(edit, text);
    const std::int32_t value = number_of(text);
    ctl::set_value(ctx_.ui.ChannelSlider[k], value);
    store_channel(channel, value);
    run_rules();
}

void OpticsEditor::on_minimum_edit(NumericEdit* edit, std::int32_t& field)
{
    const QString text = zuzo::cut_to_limit(edit->text(), zuzo::kPercentLimit);
    if (text != edit->text())
        ctl::set_text(edit, text);
    field = number_of(text);
    run_rules();
}

void OpticsEditor::on_threshold_edit(NumericEdit* edit, std::int32_t& field)
{
    const QString text = zuzo::cut_to_limit(edit->text(), zuzo::kLuxLimit);
    if (text != edit->text())
        ctl::set_text(edit, text);
    field = number_of(text);
    run_rules();
}

void OpticsEditor::on_sensor_combo()
{
    ctx_.program.optical_sensor_on = ctx_.ui.OpticalSensorCombo->currentIndex();
    refresh();
}

void OpticsEditor::on_option(bool dark)
{
    // The two options are not grouped: the chosen one stays chosen, the other clears.
    QRadioButton* chosen = dark ? ctx_.ui.DarkThresholdOption : ctx_.ui.LightThresholdOption;
    QRadioButton* other = dark ? ctx_.ui.LightThresholdOption : ctx_.ui.DarkThresholdOption;
    ctl::set_checked(chosen, true);
    ctl::set_checked(other, false);
    refresh();
}

void OpticsEditor::on_factory_reset()
{
    const MsgAnswer answer = ctx_.seams.boxes->show(
        ctx_.ui.MainWindow, QStringLiteral("Внимание!"),
        QStringLiteral(
            "Все настройки, на вкладке оптика, будут\nсброшены к настройкам по умолчанию\nВыполнить?"),
        MsgButtons::YesNo, MsgIcon::Question);
    if (answer == MsgAnswer::Yes)
        apply_optics_defaults();
}

void OpticsEditor::on_warning(WarningPicture* warning, int channel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const QString title = QString::fromUtf8(zuzo::kFaultTitle.data(), zuzo::kFaultTitle.size());
    if (warning->userData() == zuzo::OPTICS_OUT_OF_RANGE) {
        ctx_.seams.boxes->show(ctx_.ui.MainWindow, title,
                               QString::fromStdString(zuzo::range_faults_text(ctx_.program, channel)),
                               MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const bool indicator = zuzo::is_indicator_channel(channel);
    const zuzo::FaultExplanation why = zuzo::explain_optics_code(warning->userData(), indicator);
    if (why.text.empty())
        return;
    ctx_.seams.boxes->show(ctx_.ui.MainWindow, title,
                           QString::fromUtf8(why.text.data(), static_cast<qsizetype>(why.text.size())),
                           MsgButtons::Ok, box_icon(why.icon));
}
