# Paths are relative to tests/.
set(PLANS_CORE_TESTS
  plans/plan_check_test.cpp
  plans/plan_copy_test.cpp
  plans/plan_time_test.cpp
)
set(PLANS_QT_TESTS
)
