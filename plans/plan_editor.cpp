#include "plans/plan_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QMainWindow>
#include <QPushButton>
#include <QTimeEdit>

#include "plans/core/plan_check.h"
#include "plans/core/plan_time.h"
#include "program/core/device_program.h"
#include "program/core/number_text.h"
#include "ui/app_context.h"
#include "ui/control_ops.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

using zuzo::kIntervals;
using zuzo::PlanFault;
using zuzo::PlanTime;

namespace {

constexpr int kResultSound = 1;
constexpr int kResultFault = 0;

const QDate kPickerDate(1999, 1, 1);

void set_picker(QTimeEdit* picker, PlanTime stored)
{
    const PlanTime shown = zuzo::shown_time(stored);
    const QDateTime wanted(kPickerDate, QTime(shown.hour, shown.minute, 0));
    // A picker that already shows the time is left alone, so that a refresh
    // after the user's own change does not disturb the typing in progress.
    if (picker->dateTime() != wanted) {
        const QSignalBlocker block(picker);
        picker->setDateTime(wanted);
    }
    // A time the picker cannot show is named in its tooltip.
    picker->setToolTip(
        zuzo::is_showable_time(stored)
            ? QString()
            : QStringLiteral("В программе: %1").arg(QString::fromStdString(zuzo::stored_time_text(stored))));
}

PlanTime picker_time(const QTimeEdit* picker)
{
    const QTime t = picker->time();
    if (!t.isValid()) {
        return {};
    }
    return {t.hour(), t.minute()};
}

void show_result(WarningPicture* warning, bool fault)
{
    warning->setUserData(fault ? kResultFault : kResultSound);
    warning->setVisible(fault);
}

} // namespace

PlanEditor::PlanEditor(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void PlanEditor::bind()
{
    MainControls& ui = ctx_.ui;
    connect(ui.WeekdayCombo, &QComboBox::currentIndexChanged, this, [this] { on_weekday_chosen(); });
    for (int i = 1; i <= kIntervals; ++i) {
        QTimeEdit* picker = ui.IntervalTimePicker[i];
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        connect(picker, &QTimeEdit::timeChanged, this, [this, i] { on_interval_time_changed(i); });
        NumericEdit* volume = ui.IntervalVolumeEdit[i];
        connect(volume, &QLineEdit::textChanged, this, [this, i] { on_interval_volume_edited(i); });
        connect(volume, &NumericEdit::focusChanged, this, [this, i] { on_interval_volume_edited(i); });
    }
    connect(ui.DuplicateIntervalsWarning, &WarningPicture::clicked, this,
            [this](Qt::MouseButton b) { on_duplicate_warning_clicked(b); });
    connect(ui.VolumeRangeWarning, &WarningPicture::clicked, this,
            [this](Qt::MouseButton b) { on_volume_warning_clicked(b); });
}

int PlanEditor::displayed_day() const
{
    return zuzo::day_of_position(ctx_.ui.WeekdayCombo->currentIndex());
}

void PlanEditor::refresh_plan_view()
{
    const int d = displayed_day();
    if (d == 0) {
        show_no_day();
        return;
    }
    show_plan_switches(d);
    show_plan_rows(d);
    update_plan_row_enabling(d);
    check_plan_day(d);
}

void PlanEditor::show_plan_switches(int day)
{
    for (int i = 1; i <= kIntervals; ++i) {
        ctl::set_checked(ctx_.ui.IntervalEnabledCheck[i], ctx_.program.plan_enabled[day][i] == 1);
    }
}

void PlanEditor::show_plan_rows(int day)
{
    const zuzo::DeviceProgram& p = ctx_.program;
    for (int i = 1; i <= kIntervals; ++i) {
        set_picker(ctx_.ui.IntervalTimePicker[i], {p.plan_hour[day][i], p.plan_minute[day][i]});
    }
    for (int i = 1; i <= kIntervals; ++i) {
        ctl::set_text(ctx_.ui.IntervalVolumeEdit[i],
                      QString::fromStdString(zuzo::decimal_text(p.plan_volume[day][i])));
    }
}

void PlanEditor::update_plan_row_enabling(int day)
{
    for (int i = 1; i <= kIntervals; ++i) {
        const bool on = ctx_.program.plan_enabled[day][i] == 1;
        ctx_.ui.IntervalTimePicker[i]->setEnabled(on);
        ctx_.ui.IntervalVolumeEdit[i]->setEnabled(on);
    }
}

void PlanEditor::check_plan_day(int day)
{
    const PlanFault state = zuzo::check_plan_day(ctx_.program, day);
    show_result(ctx_.ui.VolumeRangeWarning, state == PlanFault::Volume);
    show_result(ctx_.ui.DuplicateIntervalsWarning, state == PlanFault::Duplicate);
    const bool free = state == PlanFault::None;
    ctx_.ui.WeekdayCombo->setEnabled(free);
    ctx_.ui.CopyTimeParamsButton->setEnabled(free);
}

void PlanEditor::read_back_plan_day(int day, int changed_row)
{
    zuzo::DeviceProgram& p = ctx_.program;
    for (int i = 1; i <= kIntervals; ++i) {
        const PlanTime stored{p.plan_hour[day][i], p.plan_minute[day][i]};
        const PlanTime kept =
            zuzo::read_back_time(stored, picker_time(ctx_.ui.IntervalTimePicker[i]), i == changed_row);
        p.plan_hour[day][i] = kept.hour;
        p.plan_minute[day][i] = kept.minute;
    }
    for (int i = 1; i <= kIntervals; ++i) {
        p.plan_enabled[day][i] =
            zuzo::read_back_enabled(p.plan_enabled[day][i], ctx_.ui.IntervalEnabledCheck[i]->isChecked());
    }
    for (int i = 1; i <= kIntervals; ++i) {
        p.plan_volume[day][i] = zuzo::lenient_int(ctx_.ui.IntervalVolumeEdit[i]->text().toStdString());
    }
}

void PlanEditor::show_no_day()
{
    for (int i = 1; i <= kIntervals; ++i) {
        ctl::set_checked(ctx_.ui.IntervalEnabledCheck[i], false);
        set_picker(ctx_.ui.IntervalTimePicker[i], {});
        ctl::set_text(ctx_.ui.IntervalVolumeEdit[i], QString());
        ctx_.ui.IntervalTimePicker[i]->setEnabled(false);
        ctx_.ui.IntervalVolumeEdit[i]->setEnabled(false);
    }
    show_result(ctx_.ui.VolumeRangeWarning, false);
    show_result(ctx_.ui.DuplicateIntervalsWarning, false);
    ctx_.ui.WeekdayCombo->setEnabled(true);
    ctx_.ui.CopyTimeParamsButton->setEnabled(true);
}

void PlanEditor::on_weekday_chosen()
{
    refresh_plan_view();
}

void PlanEditor::on_interval_time_changed(int i)
{
    const int d = displayed_day();
    if (d == 0) {
        return;
    }
    read_back_plan_day(d, i);
    refresh_plan_view();
}

void PlanEditor::on_interval_volume_edited(int i)
{
    const int d = displayed_day();
    if (d == 0) {
        return;
    }
    ctx_.program.plan_volume[d][i] = zuzo::lenient_int(ctx_.ui.IntervalVolumeEdit[i]->text().toStdString());
    check_plan_day(d);
}

void PlanEditor::on_duplicate_warning_clicked(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        explain(zuzo::duplicate_intervals_message());
    }
}

void PlanEditor::on_volume_warning_clicked(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        explain(zuzo::volume_range_message());
    }
}

void PlanEditor::explain(const char* text)
{
    ctx_.seams.boxes->show(ctx_.ui.MainWindow, QStringLiteral("Ошибка!"), QString::fromUtf8(text),
                           MsgButtons::Ok, MsgIcon::Exclamation);
}
