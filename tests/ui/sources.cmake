# Paths are relative to tests/.
set(UI_QT_TESTS
  ui/pictures_test.cpp
  ui/qt_seams_test.cpp
)
