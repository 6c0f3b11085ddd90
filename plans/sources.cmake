# zuzo_plans (Qt widgets standing on ui/, program/ and plans/core, never on
# app/): the plan editor and the copy dialog.
set(PLANS_QT_SOURCES
  plans/copy_dialog.cpp plans/copy_dialog.h
  plans/copy_dialog_window.cpp plans/copy_dialog_window.h
  plans/plan_editor.cpp plans/plan_editor.h
)
