#include "plans/plan_fixture.h"

#include "support/sample_programs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <QTimeEdit>

#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

void PlanFixture::SetUp()
{
    AppFixture::SetUp();
    stop_timers();
}

void PlanFixture::set_interval(int day, int i, int enabled, int hour, int minute, int volume)
{
    ::set_interval(p(), {day, i, enabled, hour, minute, volume});
}

void PlanFixture::expect_blank_rows(const QString& volume)
{
    for (int i = 1; i <= zuzo::kIntervals; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(ui().IntervalEnabledCheck[i]->isChecked());
        EXPECT_EQ(ui().IntervalTimePicker[i]->time(), QTime(0, 0));
        EXPECT_EQ(ui().IntervalVolumeEdit[i]->text(), volume);
        EXPECT_FALSE(ui().IntervalTimePicker[i]->isEnabled());
        EXPECT_FALSE(ui().IntervalVolumeEdit[i]->isEnabled());
    }
    EXPECT_TRUE(ui().DuplicateIntervalsWarning->isHidden());
    EXPECT_TRUE(ui().VolumeRangeWarning->isHidden());
    EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 1);
    EXPECT_EQ(ui().VolumeRangeWarning->userData(), 1);
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
