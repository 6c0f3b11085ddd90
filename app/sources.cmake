# Application shell: window, controls, dispatch, timers, auxiliary commands.
set(APP_QT_SOURCES
  app/app_context.cpp
  app/numeric_edit.cpp
  app/warning_picture.cpp
)
