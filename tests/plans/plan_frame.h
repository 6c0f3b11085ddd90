#pragma once
// A main window holding just the controls of the frame "Недельные планы",
// bound to a real PlanEditor and CopyDialog, with message boxes that are
// recorded and answered OK. Tests drive the widgets with QTest.

#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

#include "app/app_context.h"
#include "app/control_ops.h"
#include "plans/copy_dialog.h"
#include "plans/plan_editor.h"

struct ShownBox {
    QWidget* parent;
    QString title;
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
};

class RecordingBoxes : public MessageBoxes {
public:
    MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                   MsgIcon icon) override;
    std::vector<ShownBox> shown;
};

class NumericEdit;
class QComboBox;
class QTimeEdit;

// What the user does, through real key events:
// one step up in the picker's hour field;
void step_hour_up(QTimeEdit* picker);
// replace the edit's text by typing;
void type_volume(NumericEdit* edit, const QString& text);
// pick the weekday at position with the keyboard (Home, then Down).
void choose_weekday(QComboBox* combo, int position);

class PlanFrame {
public:
    // Builds the controls, selects "Понедельник" and refreshes the view.
    PlanFrame();
    ~PlanFrame();

    AppContext ctx;
    RecordingBoxes boxes;
    std::unique_ptr<PlanEditor> editor;
    std::unique_ptr<CopyDialog> copy;

    MainControls& ui() { return ctx.ui; }
    zuzo::DeviceProgram& program() { return ctx.program; }

    // Sets one interval of the tables (not the widgets).
    void set_interval(int day, int i, int enabled, int hour, int minute, int volume);

    // Shows the window and waits until it is active, so focus moves work.
    [[nodiscard]] bool show_active();

private:
    std::unique_ptr<QMainWindow> window_;
};
