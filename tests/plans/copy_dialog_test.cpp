// The copy dialog on real widgets.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include <vector>

#include "plans/copy_dialog_window.h"
#include "plans/plan_fixture.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

namespace {

using zuzo::kDays;
using zuzo::kIntervals;

bool same_day(const zuzo::DeviceProgram& a, int day_a, const zuzo::DeviceProgram& b, int day_b)
{
    for (int i = 0; i <= kIntervals; ++i) {
        if (a.plan_enabled[day_a][i] != b.plan_enabled[day_b][i] ||
            a.plan_hour[day_a][i] != b.plan_hour[day_b][i] ||
            a.plan_minute[day_a][i] != b.plan_minute[day_b][i] ||
            a.plan_volume[day_a][i] != b.plan_volume[day_b][i]) {
            return false;
        }
    }
    return true;
}

void click_item(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

class CopyDialogTest : public PlanFixture {
protected:
    // Every day distinct and free of faults: interval i of day d is on when
    // (d + i) is even, at d:i*4, volume d*10 + i.
    void fill_distinct()
    {
        for (int d = 1; d <= kDays; ++d) {
            for (int i = 1; i <= kIntervals; ++i) {
                set_interval(d, i, (d + i) % 2 == 0 ? 1 : 0, d, i * 4, d * 10 + i);
            }
        }
    }

    void SetUp() override
    {
        PlanFixture::SetUp();
        fill_distinct();
        editor().refresh_plan_view();
        ASSERT_TRUE(activate_main_window());
        ASSERT_TRUE(ui().CopyTimeParamsButton->isEnabled());
        QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
        ASSERT_TRUE(copy().is_open());
        w = copy().window();
        ASSERT_NE(w, nullptr);
    }

    // Sources and targets by position, chosen by mouse, CTRL for further targets.
    void choose(int source, std::initializer_list<int> targets)
    {
        if (source >= 0) {
            click_item(w->source_list(), source);
        }
        bool first = true;
        for (const int t : targets) {
            click_item(w->target_list(), t, first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
    }

    void expect_closed()
    {
        EXPECT_FALSE(copy().is_open());
        EXPECT_EQ(copy().window(), nullptr);
        EXPECT_TRUE(ui().MainWindow->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(ui().MainWindow->findChild<QWidget*>("CopyDialogWindow"), nullptr);
    }

    CopyDialogWindow* w = nullptr;
};

TEST_F(CopyDialogTest, OpensOverTheDisabledMainWindow)
{
    EXPECT_FALSE(ui().MainWindow->isEnabled());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), ui().MainWindow);
    EXPECT_EQ(w->objectName(), "CopyDialogWindow");
    EXPECT_EQ(w->windowTitle(), "Копирование временных параметров");
    EXPECT_EQ(w->size(), QSize(360, 186));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->pos(), QPoint(623, 125));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);

    auto* source = w->findChild<QListWidget*>("CopyDialogSourceList");
    auto* target = w->findChild<QListWidget*>("CopyDialogTargetList");
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(source->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(target->selectionMode(), QAbstractItemView::ExtendedSelection);
    for (QListWidget* list : {source, target}) {
        ASSERT_EQ(list->count(), kDays);
        for (int row = 0; row < kDays; ++row) {
            EXPECT_EQ(list->item(row)->text(), QString::fromUtf8(zuzo::weekday_names()[row]));
        }
        EXPECT_TRUE(list->selectedItems().isEmpty());
    }
    EXPECT_EQ(source->size(), QSize(135, 105));
    EXPECT_EQ(target->size(), QSize(130, 106));

    const auto* hint = w->findChild<QLabel*>("CopyDialogHint");
    ASSERT_NE(hint, nullptr);
    // The hint as it always read; the keyboard's way is told to a screen
    // reader, with the list of days to copy to, and the text is not cut.
    EXPECT_EQ(hint->text(), "Для выбора нескольких пунктов,удерживайте CTRL");
    EXPECT_GE(hint->width(), hint->fontMetrics().horizontalAdvance(hint->text()));
    EXPECT_EQ(target->accessibleDescription(),
              "Несколько дней: Ctrl и щелчок мышью, или Ctrl, стрелки и пробел");
    const auto* copy = w->findChild<QPushButton*>("CopyDialogCopyButton");
    const auto* cancel = w->findChild<QPushButton*>("CopyDialogCancelButton");
    const auto* image = w->findChild<QPushButton*>("CopyDialogImageButton");
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(copy->text(), "Копировать");
    EXPECT_EQ(cancel->text(), "Отмена");
    EXPECT_EQ(image->size(), QSize(50, 25));
    EXPECT_TRUE(image->text().isEmpty());
    EXPECT_FALSE(image->icon().isNull());
    EXPECT_EQ(image->iconSize(), QSize(50, 25));
}

TEST_F(CopyDialogTest, ListsAndButtonsHaveSpokenNamesAndTabInLayoutOrder)
{
    EXPECT_EQ(w->source_list()->accessibleName(), "Копировать из дня");
    EXPECT_EQ(w->target_list()->accessibleName(), "Копировать в дни");
    auto* image = w->findChild<QPushButton*>("CopyDialogImageButton");
    auto* copy = w->findChild<QPushButton*>("CopyDialogCopyButton");
    auto* cancel = w->findChild<QPushButton*>("CopyDialogCancelButton");
    // The arrow and "Копировать" run the same copy but are told apart.
    EXPECT_EQ(image->accessibleName(), "Копировать из дня в дни");
    EXPECT_NE(image->accessibleName(),
              copy->accessibleName().isEmpty() ? copy->text() : copy->accessibleName());
    const std::vector<QWidget*> order = {w->source_list(), image, w->target_list(), copy, cancel};
    // The next widget Tab reaches: labels sit in the chain but take no focus.
    const auto next_tab_stop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (next != from && (next->focusPolicy() & Qt::TabFocus) == 0)
            next = next->nextInFocusChain();
        return next;
    };
    for (std::size_t k = 0; k + 1 < order.size(); ++k) {
        EXPECT_EQ(next_tab_stop(order[k]), order[k + 1]) << "after " << k;
    }
}

TEST_F(CopyDialogTest, MondayOntoTuesdayAndFriday)
{
    const zuzo::DeviceProgram before = p();
    choose(0, {1, 4});
    QTest::mouseClick(w->copy_button(), Qt::LeftButton);
    expect_closed();
    EXPECT_TRUE(boxes().shown.empty());
    for (int d = 1; d <= kDays; ++d) {
        SCOPED_TRACE(d);
        EXPECT_TRUE(same_day(p(), d, before, (d == 2 || d == 5) ? 1 : d));
    }
    EXPECT_EQ(p().plan_hour[0], before.plan_hour[0]);
}

// The same by the keys the hint names, from the source list that has the
// keyboard as the dialog opens. Faults: the first Down selected Tuesday;
// Enter on "Копировать" did nothing.
TEST_F(CopyDialogTest, MondayOntoTuesdayAndFridayByKeyboardAlone)
{
    const zuzo::DeviceProgram before = p();
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == w->source_list(); }));
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->target_list());
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    for (int step = 0; step < 3; ++step)
        key(Qt::Key_Down, Qt::ControlModifier);
    key(Qt::Key_Space, Qt::ControlModifier);
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->copy_button());
    key(Qt::Key_Return);
    expect_closed();
    for (int d = 1; d <= kDays; ++d) {
        SCOPED_TRACE(d);
        EXPECT_TRUE(same_day(p(), d, before, (d == 2 || d == 5) ? 1 : d));
    }
}

TEST_F(CopyDialogTest, WednesdayOntoItselfAndThursday)
{
    const zuzo::DeviceProgram before = p();
    choose(2, {2, 3});
    QTest::mouseClick(w->copy_button(), Qt::LeftButton);
    expect_closed();
    for (int d = 1; d <= kDays; ++d) {
        SCOPED_TRACE(d);
        EXPECT_TRUE(same_day(p(), d, before, d == 4 ? 3 : d));
    }
}

TEST_F(CopyDialogTest, ImageButtonCopiesLikeTheCopyButton)
{
    const zuzo::DeviceProgram before = p();
    choose(6, {5});
    QTest::mouseClick(w->image_button(), Qt::LeftButton);
    expect_closed();
    EXPECT_TRUE(same_day(p(), 6, before, 7));
    EXPECT_TRUE(same_day(p(), 5, before, 5));
}

TEST_F(CopyDialogTest, MissingSourceOrTargetKeepsTheDialogOpen)
{
    struct Case {
        const char* name;
        int source;
        std::initializer_list<int> targets;
    };
    const Case cases[] = {{"nothing", -1, {}}, {"source_only", 1, {}}, {"targets_only", -1, {3, 5}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(ui().MainWindow, Qt::LeftButton); // ignored while disabled
        copy().close_dialog();
        QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
        w = copy().window();
        ASSERT_NE(w, nullptr);
        boxes().shown.clear();
        const zuzo::DeviceProgram before = p();

        choose(c.source, c.targets);
        const QList<QListWidgetItem*> sources = w->source_list()->selectedItems();
        const QList<QListWidgetItem*> targets = w->target_list()->selectedItems();
        QTest::mouseClick(w->copy_button(), Qt::LeftButton);

        ASSERT_EQ(boxes().shown.size(), 1u);
        EXPECT_EQ(boxes().shown[0].title, "Ошибка!");
        EXPECT_EQ(boxes().shown[0].text, "В списке не выделены пункты.");
        EXPECT_EQ(boxes().shown[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes().shown[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(copy().is_open());
        EXPECT_FALSE(ui().MainWindow->isEnabled());
        EXPECT_EQ(w->source_list()->selectedItems(), sources);
        EXPECT_EQ(w->target_list()->selectedItems(), targets);
        EXPECT_EQ(p(), before);
    }
}

TEST_F(CopyDialogTest, CancelLeavesThePlanAndFreesTheMainWindow)
{
    const zuzo::DeviceProgram before = p();
    choose(0, {1, 2, 3});
    QTest::mouseClick(w->cancel_button(), Qt::LeftButton);
    expect_closed();
    EXPECT_EQ(p(), before);
    EXPECT_EQ(ui().MainWindow->focusWidget(), ui().CopyTimeParamsButton);

    // The main window works again, and a new dialog starts unselected.
    choose_weekday(ui().WeekdayCombo, 2);
    EXPECT_EQ(editor().displayed_day(), 3);
    QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
    ASSERT_TRUE(copy().is_open());
    EXPECT_TRUE(copy().window()->source_list()->selectedItems().isEmpty());
    EXPECT_TRUE(copy().window()->target_list()->selectedItems().isEmpty());
}

TEST_F(CopyDialogTest, CloseBoxAndEscapeCloseLikeCancel)
{
    const zuzo::DeviceProgram before = p();
    choose(0, {1});
    EXPECT_FALSE(w->close()); // the dialog closes itself through its owner
    expect_closed();
    EXPECT_EQ(p(), before);
    QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
    QTest::keyClick(copy().window()->target_list(), Qt::Key_Escape);
    expect_closed();
}

TEST_F(CopyDialogTest, MainWindowIgnoresClicksWhileOpen)
{
    QTest::mouseClick(ui().CopyTimeParamsButton, Qt::LeftButton);
    EXPECT_EQ(copy().window(), w);
    EXPECT_EQ(ui().MainWindow->findChildren<CopyDialogWindow*>().size(), 1);
    QTest::keyClick(ui().WeekdayCombo, Qt::Key_End);
    EXPECT_EQ(ui().WeekdayCombo->currentIndex(), 0);
}

TEST_F(CopyDialogTest, CopyOntoTheShownDayRefreshesItsRows)
{
    const zuzo::DeviceProgram before = p();
    ASSERT_EQ(editor().displayed_day(), 1);
    // Sunday has two intervals at the same time: copied without a message,
    // and found by the check once Monday's rows show them.
    set_interval(7, 1, 1, 6, 0, 10);
    set_interval(7, 2, 1, 6, 0, 10);
    choose(6, {0});
    QTest::mouseClick(w->copy_button(), Qt::LeftButton);
    expect_closed();
    EXPECT_TRUE(boxes().shown.empty());
    for (int i = 1; i <= kIntervals; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ui().IntervalEnabledCheck[i]->isChecked(), p().plan_enabled[7][i] == 1);
        EXPECT_EQ(ui().IntervalTimePicker[i]->time(), QTime(p().plan_hour[7][i], p().plan_minute[7][i]));
        EXPECT_EQ(ui().IntervalVolumeEdit[i]->text(), QString::number(p().plan_volume[7][i]));
    }
    EXPECT_FALSE(ui().DuplicateIntervalsWarning->isHidden());
    EXPECT_FALSE(ui().WeekdayCombo->isEnabled());

    // A later time change reads the copied rows back, not the old Monday.
    step_hour_up(ui().IntervalTimePicker[2]);
    EXPECT_EQ(p().plan_hour[1][2], 7);
    p().plan_hour[1][2] = 6;
    EXPECT_TRUE(same_day(p(), 1, p(), 7));
    EXPECT_FALSE(same_day(p(), 1, before, 1));
}

} // namespace
