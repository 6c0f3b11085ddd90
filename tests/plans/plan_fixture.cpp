#include "plans/plan_fixture.h"

#include <QComboBox>
#include <QTest>
#include <QTimeEdit>

#include "ui/numeric_edit.h"

void PlanFixture::SetUp()
{
    AppFixture::SetUp();
    stop_timers();
}

void PlanFixture::set_interval(int day, int i, int enabled, int hour, int minute, int volume)
{
    p().plan_enabled[day][i] = enabled;
    p().plan_hour[day][i] = hour;
    p().plan_minute[day][i] = minute;
    p().plan_volume[day][i] = volume;
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
