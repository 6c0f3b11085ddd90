#include "program/program_controls.h"

#include "program/core/cp1251.h"
#include "program/core/device_program.h"
#include "ui/app_context.h"
#include "ui/control_ops.h"
#include "ui/numeric_edit.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

std::string selected_text(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
}

void select_matching(QComboBox* combo, const std::string& text)
{
    if (text.empty()) {
        ctl::set_index(combo, -1);
        return;
    }
    for (int i = 0; i < combo->count(); ++i) {
        if (zuzo::equal_ignoring_case(combo->itemText(i).toStdString(), text)) {
            ctl::set_index(combo, i);
            return;
        }
    }
}

} // namespace

void sync_program_from_controls(AppContext& ctx)
{
    zuzo::DeviceProgram& p = ctx.program;
    p.weekday_name = selected_text(ctx.ui.WeekdayCombo);
    p.sound_type = selected_text(ctx.ui.SoundTypeCombo);
    p.fast_pulse_time = ctx.ui.FastPulseTimeEdit->text().toStdString();
    p.sound_off = ctx.ui.SoundOffCheck->isChecked() ? 1 : 0;
}

void set_controls_from_program(AppContext& ctx)
{
    const zuzo::DeviceProgram& p = ctx.program;
    select_matching(ctx.ui.WeekdayCombo, p.weekday_name);
    select_matching(ctx.ui.SoundTypeCombo, p.sound_type);
    ctl::set_text(ctx.ui.FastPulseTimeEdit, QString::fromStdString(p.fast_pulse_time));
    ctl::set_checked(ctx.ui.SoundOffCheck, p.sound_off != 0);
}
