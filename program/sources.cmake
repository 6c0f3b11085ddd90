# Device program: model, program file, rules (zuzo_program_core, standard
# library only) and their editors and file commands (zuzo_program: Qt
# widgets standing on ui/). Neither links plans/ or app/.
set(PROGRAM_CORE_SOURCES
  program/cp1251.cpp program/cp1251.h
  program/device_program.cpp program/device_program.h
  program/file_causes.cpp program/file_causes.h
  program/file_store.cpp program/file_store.h
  program/file_store_os.h
  program/number_text.cpp program/number_text.h
  program/optics_range.cpp program/optics_range.h
  program/optics_rules.cpp program/optics_rules.h
  program/ptm_format.cpp program/ptm_format.h
  program/ptm_optics_patch.cpp program/ptm_optics_patch.h
  program/save_name.cpp program/save_name.h
  program/shown_text.cpp program/shown_text.h
)
# How a save writes, flushes and renames on each system.
if(WIN32)
  list(APPEND PROGRAM_CORE_SOURCES program/file_store_windows.cpp)
else()
  list(APPEND PROGRAM_CORE_SOURCES program/file_store_posix.cpp)
endif()
set(PROGRAM_QT_SOURCES
  program/edit_limits.cpp program/edit_limits.h
  program/file_commands.cpp program/file_commands.h
  program/optics_editor.cpp program/optics_editor.h
  program/program_controls.cpp program/program_controls.h
  program/program_file_io.cpp program/program_file_io.h
  program/write_gate.cpp program/write_gate.h
)
