# Paths are relative to tests/.
set(APP_CORE_TESTS
)
set(APP_QT_TESTS
  app/accessibility_test.cpp
  app/keyboard_reach_test.cpp
  app/walkthrough_shots_test.cpp
  app/screenshot_test.cpp
  app/startup_test.cpp
  app/commands_test.cpp
  app/dispatch_test.cpp
  app/russian_texts_test.cpp
  app/window_snapshot.cpp
)
# What a screen reader gets over AT-SPI (Linux): run by the ctest atspi_walk
# on an X server with a D-Bus session and the accessibility bus.
set(APP_ATSPI_TESTS
  app/atspi_client.cpp
  app/atspi_walk_test.cpp
)
