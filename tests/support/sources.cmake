set(TEST_SUPPORT_SOURCES
  support/qt_test_main.cpp
)
