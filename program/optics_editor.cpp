#include "program/optics_editor.h"

#include "app/app_context.h"

OpticsEditor::OpticsEditor(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void OpticsEditor::bind() {}
void OpticsEditor::refresh() {}
void OpticsEditor::run_rules() {}
void OpticsEditor::apply_optics_defaults() {}
