#pragma once
// The weekly plan editor of the frame "Недельные планы".
//
// The editor shows the weekday selected in WeekdayCombo (read afresh by every
// operation), stores each user change into the plan tables at once and checks
// the shown day after every change. With no weekday selected it shows no day:
// every row unticked, disabled, at 00:00 with an empty volume, no warning, and
// WeekdayCombo and CopyTimeParamsButton enabled so that a day can be chosen.

#include <QObject>

struct AppContext;

class PlanEditor : public QObject {
    Q_OBJECT
public:
    explicit PlanEditor(AppContext& ctx, QObject* parent = nullptr);

    // Connects WeekdayCombo, the time pickers, the volume edits and the two
    // plan warnings to their handlers.
    void bind();
    // Shows the selected weekday completely and checks it.
    void refresh_plan_view();

    // Day index 1..7 shown by WeekdayCombo, or 0 when nothing is selected.
    [[nodiscard]] int displayed_day() const;

    // Handlers of the frame's controls (i = interval 1..12).
    void on_weekday_chosen();
    void on_interval_time_changed(int i);
    void on_interval_volume_edited(int i);
    void on_duplicate_warning_clicked(Qt::MouseButton button);
    void on_volume_warning_clicked(Qt::MouseButton button);

private:
    void show_plan_switches(int day);
    void show_plan_rows(int day);
    void update_plan_row_enabling(int day);
    void check_plan_day(int day);
    // changed_row: the row whose picker the user changed (0 for none).
    void read_back_plan_day(int day, int changed_row);
    void show_no_day();
    void explain(const char* text);

    AppContext& ctx_;
};
