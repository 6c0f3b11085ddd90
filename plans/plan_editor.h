#pragma once
// The weekly plan editor of the frame "Недельные планы".

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

private:
    AppContext& ctx_;
};
