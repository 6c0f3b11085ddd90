# Device program: model, program file, rules (core) and their editors and
# file commands (Qt widgets, standing on ui/, never on app/ or plans/).
set(PROGRAM_CORE_SOURCES
  program/device_program.cpp
  program/number_text.cpp
  program/cp1251.cpp
  program/ptm_format.cpp
  program/ptm_optics_patch.cpp
  program/optics_rules.cpp
  program/optics_range.cpp
  program/save_name.cpp
  program/shown_text.cpp
  program/file_store.cpp
  program/file_causes.cpp
)
# How a save writes, flushes and renames on each system.
if(WIN32)
  list(APPEND PROGRAM_CORE_SOURCES program/file_store_windows.cpp)
else()
  list(APPEND PROGRAM_CORE_SOURCES program/file_store_posix.cpp)
endif()
set(PROGRAM_QT_SOURCES
  program/optics_editor.cpp
  program/write_gate.cpp
  program/file_commands.cpp
  program/edit_limits.cpp
  program/program_controls.cpp
  program/program_file_io.cpp
)
