# Paths are relative to tests/.
set(APP_CORE_TESTS
)
set(APP_QT_TESTS
  app/screenshot_test.cpp
  app/startup_test.cpp
)
