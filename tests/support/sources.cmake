set(TEST_SUPPORT_SOURCES
  support/qt_test_main.cpp
  support/scripted_seams.cpp
  support/app_fixture.cpp
)
# The simulated device on a pseudo-terminal: where the simulator runs.
if(NOT WIN32)
  list(APPEND TEST_SUPPORT_SOURCES support/sim_fixture.cpp)
endif()
