# The ground floor of the tool's widgets: the shared context, the named
# controls and menu ids, the platform seams and their Qt versions, setting
# controls without events, numeric edits, warning pictures, the eleven
# pictures, the dropping of pending input, the keyboard handed to and from
# secondary windows. It includes nothing of app/, link/, program/ or plans/;
# they all stand on it.
set(UI_QT_SOURCES
  ui/numeric_edit.cpp
  ui/pending_input.cpp
  ui/pictures.cpp
  ui/qt_seams.cpp
  ui/warning_picture.cpp
  ui/window_focus.cpp
)
