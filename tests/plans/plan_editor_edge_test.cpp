// The weekly plan editor with data the pickers and the combo cannot show:
// no weekday selected, and stored times outside 00:00..23:59.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include "plans/plan_fixture.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

namespace {

using zuzo::kIntervals;

class NoWeekdayTest : public PlanFixture {
protected:
    void SetUp() override
    {
        PlanFixture::SetUp();
        // A fault on every row of day 1, and values planted in the unused day 0.
        for (int i = 1; i <= kIntervals; ++i) {
            set_interval(1, i, 1, 8, 0, 200);
            set_interval(0, i, 1, 9, 30, 300);
        }
        editor().refresh_plan_view();
        ASSERT_FALSE(ui().WeekdayCombo->isEnabled());
        ctl::set_index(ui().WeekdayCombo, -1);
        editor().refresh_plan_view();
    }
};

TEST_F(NoWeekdayTest, ShowsNoDayAndLetsTheUserPickOne)
{
    EXPECT_EQ(editor().displayed_day(), 0);
    expect_blank_rows(QString());
    EXPECT_TRUE(ui().WeekdayCombo->isEnabled());
    EXPECT_TRUE(ui().CopyTimeParamsButton->isEnabled());

    QTest::keyClick(ui().WeekdayCombo, Qt::Key_Home);
    EXPECT_EQ(editor().displayed_day(), 1);
    EXPECT_EQ(ui().IntervalVolumeEdit[1]->text(), "200");
    EXPECT_FALSE(ui().VolumeRangeWarning->isHidden());
}

TEST_F(NoWeekdayTest, HandlersLeaveTheTablesAlone)
{
    const zuzo::DeviceProgram before = p();
    for (int i = 1; i <= kIntervals; ++i) {
        ctl::set_text(ui().IntervalVolumeEdit[i], "55");
        editor().on_interval_volume_edited(i);
        editor().on_interval_time_changed(i);
    }
    EXPECT_EQ(p(), before);
    EXPECT_TRUE(ui().WeekdayCombo->isEnabled());
    EXPECT_TRUE(ui().VolumeRangeWarning->isHidden());
}

class UnshowableTimeTest : public PlanFixture {
protected:
};

TEST_F(UnshowableTimeTest, PickerShowsMidnightAndNamesTheStoredTime)
{
    struct Case {
        int hour;
        int minute;
        const char* tip;
    };
    const Case cases[] = {{25, 70, "В программе: 25:70"},
                          {24, 0, "В программе: 24:00"},
                          {-1, 5, "В программе: -1:05"},
                          {12, 60, "В программе: 12:60"}};
    editor().refresh_plan_view(); // unlocks the weekday choice
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tip);
        set_interval(2, 4, 1, c.hour, c.minute, 10);
        choose_weekday(ui().WeekdayCombo, 1);
        EXPECT_EQ(ui().IntervalTimePicker[4]->time(), QTime(0, 0));
        EXPECT_EQ(ui().IntervalTimePicker[4]->toolTip(), c.tip);
    }
    set_interval(2, 4, 1, 23, 59, 10);
    editor().refresh_plan_view();
    EXPECT_EQ(ui().IntervalTimePicker[4]->time(), QTime(23, 59));
    EXPECT_EQ(ui().IntervalTimePicker[4]->toolTip(), "");
}

TEST_F(UnshowableTimeTest, ChangeOnAnotherRowKeepsTheStoredTime)
{
    set_interval(1, 1, 1, 8, 0, 10);
    set_interval(1, 4, 1, 25, 70, 20);
    set_interval(1, 6, 0, 99, 99, 30); // off rows keep theirs too
    editor().refresh_plan_view();

    step_hour_up(ui().IntervalTimePicker[1]);
    EXPECT_EQ(p().plan_hour[1][1], 9);
    EXPECT_EQ(p().plan_hour[1][4], 25);
    EXPECT_EQ(p().plan_minute[1][4], 70);
    EXPECT_EQ(p().plan_hour[1][6], 99);
    EXPECT_EQ(p().plan_minute[1][6], 99);
    EXPECT_EQ(ui().IntervalTimePicker[4]->toolTip(), "В программе: 25:70");
}

TEST_F(UnshowableTimeTest, ChangeOnThatRowStoresWhatThePickerShows)
{
    set_interval(1, 4, 1, 25, 70, 20);
    editor().refresh_plan_view();

    step_hour_up(ui().IntervalTimePicker[4]);
    EXPECT_EQ(p().plan_hour[1][4], 1);
    EXPECT_EQ(p().plan_minute[1][4], 0);
    EXPECT_EQ(ui().IntervalTimePicker[4]->time(), QTime(1, 0));
    EXPECT_EQ(ui().IntervalTimePicker[4]->toolTip(), "");
}

TEST_F(UnshowableTimeTest, SwitchValueOtherThanOneShowsOffAndSurvives)
{
    set_interval(1, 1, 1, 8, 0, 10);
    set_interval(1, 2, 2, 8, 0, 10); // off: no duplicate with interval 1
    editor().refresh_plan_view();
    EXPECT_FALSE(ui().IntervalEnabledCheck[2]->isChecked());
    EXPECT_FALSE(ui().IntervalTimePicker[2]->isEnabled());
    EXPECT_TRUE(ui().DuplicateIntervalsWarning->isHidden());

    step_hour_up(ui().IntervalTimePicker[1]);
    EXPECT_EQ(p().plan_hour[1][1], 9);
    EXPECT_EQ(p().plan_enabled[1][1], 1);
    EXPECT_EQ(p().plan_enabled[1][2], 2);
}

TEST_F(UnshowableTimeTest, TypedTimeIsStoredDigitByDigit)
{
    set_interval(1, 8, 1, 6, 30, 10);
    editor().refresh_plan_view();
    QTimeEdit* picker = ui().IntervalTimePicker[8];
    ASSERT_TRUE(activate_main_window());
    picker->setFocus(Qt::MouseFocusReason);
    picker->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(picker, "15");
    EXPECT_EQ(picker->time(), QTime(15, 30));
    EXPECT_EQ(p().plan_hour[1][8], 15);
    EXPECT_EQ(p().plan_minute[1][8], 30);
}

} // namespace
