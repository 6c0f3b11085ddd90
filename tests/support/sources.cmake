# Paths are relative to tests/.
# The entry of the tests on Qt (one QApplication, the Russian locale), the
# scripted platform seams and what a test may ask about the system it runs
# on (per system): zuzo_test_qt, on ui/.
set(TEST_QT_SUPPORT_SOURCES
  support/qt_test_main.cpp
  support/scripted_seams.cpp
)
if(WIN32)
  list(APPEND TEST_QT_SUPPORT_SOURCES support/test_system_windows.cpp)
else()
  list(APPEND TEST_QT_SUPPORT_SOURCES support/test_system_posix.cpp)
endif()
# The whole tool with scripted seams: zuzo_test_app, on app/.
set(TEST_APP_SUPPORT_SOURCES
  support/app_fixture.cpp
)
# The simulated device on a pseudo-terminal, where the simulator runs:
# zuzo_test_sim, on the simulator's library.
set(TEST_SIM_SUPPORT_SOURCES
  support/sim_fixture.cpp
)
