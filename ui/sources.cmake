# The ground floor of the tool's widgets: the shared context, the named
# controls and menu ids, the platform seams and their Qt versions, setting
# controls without events, numeric edits, warning pictures, the eleven
# pictures, the dropping of pending input, the keyboard handed to and from
# secondary windows and Enter on buttons, the announcement of outcomes to a
# screen reader, and the file dialogs' Russian sizes, fitted columns and
# forgotten state.
# It includes nothing of app/, link/, program/ or plans/; they all stand on
# it.
set(UI_QT_SOURCES
  ui/announcement.cpp
  ui/file_dialog_columns.cpp
  ui/numeric_edit.cpp
  ui/pending_input.cpp
  ui/pictures.cpp
  ui/qt_seams.cpp
  ui/russian_sizes.cpp
  ui/warning_picture.cpp
  ui/window_focus.cpp
)
# Where Qt keeps a file dialog's state, and how it is kept from the user's
# settings.
if(WIN32)
  list(APPEND UI_QT_SOURCES ui/dialog_state_scope_windows.cpp)
else()
  list(APPEND UI_QT_SOURCES ui/dialog_state_scope_linux.cpp)
endif()
