#include "plans/plan_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include "app/numeric_edit.h"
#include "app/warning_picture.h"

MsgAnswer RecordingBoxes::show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                               MsgIcon icon)
{
    shown.push_back({parent, title, text, buttons, icon});
    return MsgAnswer::Ok;
}

namespace {

template <typename W> W* named(QWidget* parent, const QString& name)
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    return widget;
}

} // namespace

PlanFrame::PlanFrame() : window_(std::make_unique<QMainWindow>())
{
    MainControls& ui = ctx.ui;
    ui.MainWindow = window_.get();
    auto* central = new QWidget(window_.get());
    window_->setCentralWidget(central);
    auto* grid = new QGridLayout(central);

    ui.WeekdayCombo = named<QComboBox>(central, "WeekdayCombo");
    for (const char* name : zuzo::weekday_names()) {
        ui.WeekdayCombo->addItem(QString::fromUtf8(name));
    }
    ui.CopyTimeParamsButton = named<QPushButton>(central, "CopyTimeParamsButton");
    ui.DuplicateIntervalsWarning = named<WarningPicture>(central, "DuplicateIntervalsWarning");
    ui.VolumeRangeWarning = named<WarningPicture>(central, "VolumeRangeWarning");
    grid->addWidget(ui.WeekdayCombo, 0, 0);
    grid->addWidget(ui.CopyTimeParamsButton, 0, 1);
    grid->addWidget(ui.DuplicateIntervalsWarning, 0, 2);
    grid->addWidget(ui.VolumeRangeWarning, 0, 3);
    for (int i = 1; i <= zuzo::kIntervals; ++i) {
        const QString n = QString::number(i);
        ui.IntervalEnabledCheck[i] = named<QCheckBox>(central, "IntervalEnabledCheck" + n);
        ui.IntervalEnabledCheck[i]->setEnabled(false);
        ui.IntervalTimePicker[i] = named<QTimeEdit>(central, "IntervalTimePicker" + n);
        ui.IntervalVolumeEdit[i] = named<NumericEdit>(central, "IntervalVolumeEdit" + n);
        grid->addWidget(ui.IntervalEnabledCheck[i], i, 0);
        grid->addWidget(ui.IntervalTimePicker[i], i, 1);
        grid->addWidget(ui.IntervalVolumeEdit[i], i, 2);
    }
    ctx.seams.boxes = &boxes;
    editor = std::make_unique<PlanEditor>(ctx);
    copy = std::make_unique<CopyDialog>(ctx);
    ctx.plans = editor.get();
    editor->bind();
    copy->bind();
    ctl::set_index(ui.WeekdayCombo, 0);
    editor->refresh_plan_view();
}

PlanFrame::~PlanFrame()
{
    copy.reset(); // the dialog window is owned by the main window too
}

void PlanFrame::set_interval(int day, int i, int enabled, int hour, int minute, int volume)
{
    ctx.program.plan_enabled[day][i] = enabled;
    ctx.program.plan_hour[day][i] = hour;
    ctx.program.plan_minute[day][i] = minute;
    ctx.program.plan_volume[day][i] = volume;
}

bool PlanFrame::show_active()
{
    window_->show();
    window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
}

void step_hour_up(QTimeEdit* picker)
{
    picker->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(picker, Qt::Key_Up);
}

void type_volume(NumericEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void choose_weekday(QComboBox* combo, int position)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int p = 0; p < position; ++p) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
}
