# Application shell: window, controls, dispatch, timers, auxiliary commands.
set(APP_QT_SOURCES
  app/about_window.cpp
  app/accessibility.cpp
  app/accessible_roles.cpp
  app/application.cpp
  app/auxiliary_commands.cpp
  app/config_page.cpp
  app/link_controller.cpp
  app/main_window.cpp
  app/optics_page.cpp
  app/threshold_option.cpp
  app/translations.cpp
)
# How the process takes the Russian locale as the system's.
if(WIN32)
  list(APPEND APP_QT_SOURCES app/system_locale_windows.cpp)
else()
  list(APPEND APP_QT_SOURCES app/system_locale_posix.cpp)
endif()
# What the auxiliary commands start on each platform (standard library only).
if(WIN32)
  set(APP_CORE_SOURCES app/platform_commands_windows.cpp)
else()
  set(APP_CORE_SOURCES app/platform_commands_linux.cpp)
endif()
