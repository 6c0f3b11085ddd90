# zuzo_plans_core (standard library only, on the device program's core):
# the weekly plan's checks, copy, times, plan tables and the week chart.
set(PLANS_CORE_SOURCES
  plans/core/plan_check.cpp plans/core/plan_check.h
  plans/core/plan_copy.cpp plans/core/plan_copy.h
  plans/core/plan_csv.cpp plans/core/plan_csv.h
  plans/core/plan_time.cpp plans/core/plan_time.h
  plans/core/week_chart.cpp plans/core/week_chart.h
)
