# The top floor, the application shell (zuzo_app): start-up, the main window
# and its two pages, the timers and the dispatch of the menu ids, the
# auxiliary commands, and the wiring of the link's buttons and reports to the
# window. It stands on ui/, link/, program/ and plans/; none of them links
# it. The program itself is app/main.cpp.
set(APP_QT_SOURCES
  app/about_window.cpp app/about_window.h
  app/accessibility.cpp app/accessibility.h
  app/accessible_combo.h
  app/accessible_fields.cpp app/accessible_fields.h
  app/accessible_roles.cpp app/accessible_roles.h
  app/application.cpp app/application.h
  app/auxiliary_commands.cpp app/auxiliary_commands.h
  app/config_page.cpp
  app/link_controller.cpp app/link_controller.h
  app/main_window.cpp app/main_window.h
  app/optics_page.cpp
  app/platform_commands.h
  app/translations.cpp app/translations.h
  app/widget_make.h
  app/window_pages.h
)
# What the auxiliary commands start on each platform, and how a screen
# reader there hears a combo box.
if(WIN32)
  list(APPEND APP_QT_SOURCES app/platform_commands_windows.cpp app/accessible_combo_windows.cpp)
else()
  list(APPEND APP_QT_SOURCES app/platform_commands_linux.cpp app/accessible_combo_linux.cpp)
endif()
