# Weekly plan: checks, copy, times, plan tables and the week chart
# (zuzo_plans_core, standard library only, on the device program's core),
# editor and copy dialog (zuzo_plans: Qt widgets standing on ui/ and the
# device program, never on app/).
set(PLANS_CORE_SOURCES
  plans/plan_check.cpp plans/plan_check.h
  plans/plan_copy.cpp plans/plan_copy.h
  plans/plan_csv.cpp plans/plan_csv.h
  plans/plan_time.cpp plans/plan_time.h
  plans/week_chart.cpp plans/week_chart.h
)
set(PLANS_QT_SOURCES
  plans/copy_dialog.cpp plans/copy_dialog.h
  plans/copy_dialog_window.cpp plans/copy_dialog_window.h
  plans/plan_editor.cpp plans/plan_editor.h
)
