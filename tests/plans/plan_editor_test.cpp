// The weekly plan editor on real widgets.

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include "plans/plan_fixture.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

namespace {

using zuzo::kIntervals;

bool shown(const QWidget* w)
{
    return !w->isHidden();
}

class PlanEditorTest : public PlanFixture {
protected:
    void expect_no_fault()
    {
        EXPECT_FALSE(shown(ui().DuplicateIntervalsWarning));
        EXPECT_FALSE(shown(ui().VolumeRangeWarning));
        EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 1);
        EXPECT_EQ(ui().VolumeRangeWarning->userData(), 1);
        EXPECT_TRUE(ui().WeekdayCombo->isEnabled());
        EXPECT_TRUE(ui().CopyTimeParamsButton->isEnabled());
    }
};

TEST_F(PlanEditorTest, StartUpShowsMondayEveryRowOffAtMidnight)
{
    EXPECT_EQ(ui().WeekdayCombo->currentText(), "Понедельник");
    EXPECT_EQ(editor().displayed_day(), 1);
    expect_blank_rows(QStringLiteral("0"));
    // Start-up leaves the day choice locked until the next check.
    EXPECT_FALSE(ui().WeekdayCombo->isEnabled());
    EXPECT_FALSE(ui().CopyTimeParamsButton->isEnabled());
    editor().refresh_plan_view();
    expect_no_fault();
}

TEST_F(PlanEditorTest, PickersHoldTheFixedDateWithoutSeconds)
{
    set_interval(1, 6, 1, 17, 45, 30);
    editor().refresh_plan_view();
    const QTimeEdit* picker = ui().IntervalTimePicker[6];
    EXPECT_EQ(picker->dateTime(), QDateTime(QDate(1999, 1, 1), QTime(17, 45, 0)));
    EXPECT_EQ(picker->displayFormat(), "HH:mm");
    EXPECT_EQ(picker->text(), "17:45");
}

TEST_F(PlanEditorTest, RowsShowTheTablesOfTheShownDay)
{
    for (int i = 1; i <= kIntervals; ++i) {
        set_interval(1, i, i % 2, i, i * 4, i * 7);
    }
    editor().refresh_plan_view();
    for (int i = 1; i <= kIntervals; ++i) {
        SCOPED_TRACE(i);
        const bool on = i % 2 == 1;
        EXPECT_EQ(ui().IntervalEnabledCheck[i]->isChecked(), on);
        EXPECT_EQ(ui().IntervalTimePicker[i]->time(), QTime(i, i * 4));
        EXPECT_EQ(ui().IntervalVolumeEdit[i]->text(), QString::number(i * 7));
        EXPECT_EQ(ui().IntervalTimePicker[i]->isEnabled(), on);
        EXPECT_EQ(ui().IntervalVolumeEdit[i]->isEnabled(), on);
    }
}

TEST_F(PlanEditorTest, DuplicateAtEightLocksTheDayUntilATimeChanges)
{
    set_interval(1, 2, 1, 8, 0, 40);
    set_interval(1, 9, 1, 8, 0, 60);
    editor().refresh_plan_view();
    EXPECT_TRUE(shown(ui().DuplicateIntervalsWarning));
    EXPECT_FALSE(shown(ui().VolumeRangeWarning));
    EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 0);
    EXPECT_EQ(ui().VolumeRangeWarning->userData(), 1);
    EXPECT_FALSE(ui().WeekdayCombo->isEnabled());
    EXPECT_FALSE(ui().CopyTimeParamsButton->isEnabled());

    step_hour_up(ui().IntervalTimePicker[9]);
    EXPECT_EQ(p().plan_hour[1][9], 9);
    EXPECT_EQ(p().plan_minute[1][9], 0);
    expect_no_fault();
}

TEST_F(PlanEditorTest, SwitchedOffIntervalNeverFaults)
{
    set_interval(1, 1, 1, 8, 0, 40);
    set_interval(1, 2, 0, 8, 0, 40);
    set_interval(1, 3, 0, 9, 0, 120);
    editor().refresh_plan_view();
    expect_no_fault();
    EXPECT_FALSE(ui().IntervalVolumeEdit[3]->isEnabled());
    EXPECT_EQ(ui().IntervalVolumeEdit[3]->text(), "120");
}

TEST_F(PlanEditorTest, VolumeFaultHidesDuplicateUntilCorrected)
{
    set_interval(1, 1, 1, 8, 0, 40);
    set_interval(1, 2, 1, 8, 0, 40);
    set_interval(1, 5, 1, 10, 0, 150);
    editor().refresh_plan_view();
    EXPECT_TRUE(shown(ui().VolumeRangeWarning));
    EXPECT_FALSE(shown(ui().DuplicateIntervalsWarning));
    EXPECT_EQ(ui().VolumeRangeWarning->userData(), 0);
    EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 1);

    type_volume(ui().IntervalVolumeEdit[5], "50");
    EXPECT_EQ(p().plan_volume[1][5], 50);
    EXPECT_FALSE(shown(ui().VolumeRangeWarning));
    EXPECT_TRUE(shown(ui().DuplicateIntervalsWarning));
    EXPECT_EQ(ui().VolumeRangeWarning->userData(), 1);
    EXPECT_EQ(ui().DuplicateIntervalsWarning->userData(), 0);
    EXPECT_FALSE(ui().WeekdayCombo->isEnabled());
}

TEST_F(PlanEditorTest, TypedVolumeIsStoredAndRangeChecked)
{
    struct Case {
        const char* typed;
        int stored;
        bool fault;
    };
    const Case cases[] = {{"0", 0, false}, {"100", 100, false}, {"101", 101, true}, {"150", 150, true},
                          {"", 0, false},  {"007", 7, false},   {"99", 99, false},  {"1000", 1000, true}};
    set_interval(1, 4, 1, 6, 30, 50);
    editor().refresh_plan_view();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        type_volume(ui().IntervalVolumeEdit[4], c.typed);
        EXPECT_EQ(ui().IntervalVolumeEdit[4]->text(), c.typed); // left as typed
        EXPECT_EQ(p().plan_volume[1][4], c.stored);
        EXPECT_EQ(shown(ui().VolumeRangeWarning), c.fault);
        EXPECT_EQ(ui().VolumeRangeWarning->userData(), c.fault ? 0 : 1);
        EXPECT_EQ(ui().WeekdayCombo->isEnabled(), !c.fault);
        EXPECT_EQ(ui().CopyTimeParamsButton->isEnabled(), !c.fault);
    }
}

TEST_F(PlanEditorTest, NegativeVolumeShownWithSignAndFlagged)
{
    set_interval(1, 7, 1, 12, 0, -5);
    editor().refresh_plan_view();
    EXPECT_EQ(ui().IntervalVolumeEdit[7]->text(), "-5");
    EXPECT_TRUE(shown(ui().VolumeRangeWarning));
    EXPECT_EQ(ui().VolumeRangeWarning->userData(), 0);
}

TEST_F(PlanEditorTest, TimeChangeOnAnotherRowNormalisesVolumes)
{
    set_interval(1, 3, 1, 7, 0, 10);
    set_interval(1, 5, 1, 9, 0, 10);
    editor().refresh_plan_view();
    type_volume(ui().IntervalVolumeEdit[5], "007");
    EXPECT_EQ(ui().IntervalVolumeEdit[5]->text(), "007");

    step_hour_up(ui().IntervalTimePicker[3]);
    EXPECT_EQ(p().plan_hour[1][3], 8);
    EXPECT_EQ(p().plan_volume[1][5], 7);
    EXPECT_EQ(ui().IntervalVolumeEdit[5]->text(), "7");
}

TEST_F(PlanEditorTest, FocusInAndOutEachStoreTheVolume)
{
    ASSERT_TRUE(activate_main_window());
    set_interval(1, 3, 1, 7, 0, 50);
    editor().refresh_plan_view();
    // The edit shows a text the tables do not hold; only the handler stores it.
    ctl::set_text(ui().IntervalVolumeEdit[3], "150");
    ASSERT_EQ(p().plan_volume[1][3], 50);

    ui().IntervalVolumeEdit[3]->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(p().plan_volume[1][3], 150);
    EXPECT_TRUE(shown(ui().VolumeRangeWarning));

    p().plan_volume[1][3] = 50;
    ui().IntervalVolumeEdit[3]->clearFocus();
    EXPECT_EQ(p().plan_volume[1][3], 150);
}

TEST_F(PlanEditorTest, WeekdayPositionGivesTheDayIndex)
{
    for (int day = 1; day <= 7; ++day) {
        set_interval(day, 1, 1, day, day, day * 10);
    }
    editor().refresh_plan_view(); // unlocks the weekday choice
    for (int position = 6; position >= 0; --position) {
        SCOPED_TRACE(position);
        choose_weekday(ui().WeekdayCombo, position);
        ASSERT_EQ(ui().WeekdayCombo->currentIndex(), position);
        EXPECT_EQ(editor().displayed_day(), position + 1);
        EXPECT_EQ(ui().IntervalTimePicker[1]->time(), QTime(position + 1, position + 1));
        EXPECT_EQ(ui().IntervalVolumeEdit[1]->text(), QString::number((position + 1) * 10));
    }
    ASSERT_EQ(ui().WeekdayCombo->currentText(), "Понедельник");
}

TEST_F(PlanEditorTest, FaultsOnOtherDaysStayUnseenUntilShown)
{
    set_interval(4, 1, 1, 8, 0, 500);
    editor().refresh_plan_view();
    expect_no_fault();
    choose_weekday(ui().WeekdayCombo, 3);
    EXPECT_TRUE(shown(ui().VolumeRangeWarning));
    EXPECT_FALSE(ui().WeekdayCombo->isEnabled());
}

TEST_F(PlanEditorTest, WarningsExplainOnLeftClickOnly)
{
    struct Case {
        bool duplicate;
        const char* text;
    };
    const Case cases[] = {{true, "Задано несколько, одинаковых, временных интервалов"},
                          {false, "Уровень громкости вне диапазона 0..100%"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        boxes().shown.clear();
        WarningPicture* warning = c.duplicate ? ui().DuplicateIntervalsWarning : ui().VolumeRangeWarning;
        QTest::mouseClick(warning, Qt::RightButton);
        QTest::mouseClick(warning, Qt::MiddleButton);
        EXPECT_TRUE(boxes().shown.empty());
        const zuzo::DeviceProgram before = p();
        QTest::mouseClick(warning, Qt::LeftButton);
        ASSERT_EQ(boxes().shown.size(), 1u);
        EXPECT_EQ(boxes().shown[0].title, "Ошибка!");
        EXPECT_EQ(boxes().shown[0].text, c.text);
        EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(p(), before);
    }
}

} // namespace
