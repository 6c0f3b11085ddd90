# Paths are relative to tests/.
set(PLANS_CORE_TESTS
  plans/core/plan_check_test.cpp
  plans/core/plan_copy_test.cpp
  plans/core/plan_time_test.cpp
  plans/core/plan_csv_test.cpp
)
set(PLANS_QT_TESTS
  plans/plan_fixture.cpp
  plans/plan_editor_test.cpp
  plans/plan_editor_edge_test.cpp
  plans/copy_dialog_test.cpp
)
