# Weekly plan: checks and copy (core), editor and copy dialog (Qt widgets,
# standing on ui/ and the device program, never on app/).
set(PLANS_CORE_SOURCES
  plans/plan_check.cpp
  plans/plan_copy.cpp
  plans/plan_time.cpp
  plans/plan_csv.cpp
  plans/week_chart.cpp
)
set(PLANS_QT_SOURCES
  plans/plan_editor.cpp
  plans/copy_dialog.cpp
  plans/copy_dialog_window.cpp
)
