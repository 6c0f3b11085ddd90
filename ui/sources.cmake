# The ground floor of the tool's widgets (library zuzo_ui): the shared
# context, the named controls and menu ids, the platform seams and their Qt
# versions, setting controls without events, numeric edits, warning
# pictures, the eleven pictures, the dropping of pending input, the keyboard
# handed to and from secondary windows and Enter on buttons, the
# announcement of outcomes to a screen reader, the file dialogs' Russian
# sizes, fitted columns and forgotten state, and the Russian locale the
# process gives Qt.
# It links nothing of app/, link/, program/ or plans/, so it can include
# none of their headers; they all stand on it.
set(UI_QT_SOURCES
  ui/announcement.cpp ui/announcement.h
  ui/app_context.h
  ui/busy_scope.h
  ui/control_ops.h
  ui/controls.h
  ui/dialog_state_scope.h
  ui/file_dialog_columns.cpp ui/file_dialog_columns.h
  ui/numeric_edit.cpp ui/numeric_edit.h
  ui/pending_input.cpp ui/pending_input.h
  ui/pictures.cpp ui/pictures.h
  ui/quiet_accessibility.cpp ui/quiet_accessibility.h
  ui/reader_turn.cpp ui/reader_turn.h
  ui/qt_seams.cpp ui/qt_seams.h
  ui/russian_sizes.cpp ui/russian_sizes.h
  ui/seams.h
  ui/system_locale.h
  ui/threshold_option.cpp ui/threshold_option.h
  ui/warning_picture.cpp ui/warning_picture.h
  ui/window_focus.cpp ui/window_focus.h
)
# Where Qt keeps a file dialog's state, and how it is kept from the user's
# settings; how the process takes the Russian locale as the system's.
if(WIN32)
  list(APPEND UI_QT_SOURCES ui/dialog_state_scope_windows.cpp ui/system_locale_windows.cpp)
else()
  list(APPEND UI_QT_SOURCES ui/dialog_state_scope_linux.cpp ui/system_locale_posix.cpp)
endif()
