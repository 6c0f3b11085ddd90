#pragma once
// The whole tool started with scripted seams, with helpers for the weekly
// plan: setting intervals in the tables and the user's own actions on the
// frame "Недельные планы", sent as real key events.

#include "plans/copy_dialog.h"
#include "plans/plan_editor.h"
#include "support/app_fixture.h"
#include "ui/control_ops.h"

class NumericEdit;
class QComboBox;
class QTimeEdit;

// One step up in the picker's hour field.
void step_hour_up(QTimeEdit* picker);
// Replace the edit's text by typing.
void type_volume(NumericEdit* edit, const QString& text);
// Pick the weekday at position with the keyboard (Home, then Down).
void choose_weekday(QComboBox* combo, int position);

class PlanFixture : public AppFixture {
protected:
    void SetUp() override;

    zuzo::DeviceProgram& p() { return ctx().program; }
    PlanEditor& editor() { return app().plans(); }
    CopyDialog& copy() { return app().copy_dialog(); }

    // Sets one interval of the tables (not the widgets).
    void set_interval(int day, int i, int enabled, int hour, int minute, int volume);

    // Every row unticked and disabled at 00:00, its volume edit showing
    // volume; both plan warnings hidden, each holding 1 (no fault).
    void expect_blank_rows(const QString& volume);
};
