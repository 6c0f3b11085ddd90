set(TEST_SUPPORT_SOURCES
  support/qt_test_main.cpp
  support/scripted_seams.cpp
  support/app_fixture.cpp
  support/sim_fixture.cpp
)
