# The top floor, the application shell: start-up, the main window and its two
# pages, the timers and the dispatch of the menu ids, the auxiliary commands,
# and the wiring of the link's buttons and reports to the window. It stands on
# ui/, link/, program/ and plans/; none of them includes it.
set(APP_QT_SOURCES
  app/about_window.cpp
  app/accessibility.cpp
  app/accessible_fields.cpp
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
