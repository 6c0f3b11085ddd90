#include "plans/plan_editor.h"

#include "app/app_context.h"

PlanEditor::PlanEditor(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void PlanEditor::bind() {}
void PlanEditor::refresh_plan_view() {}
