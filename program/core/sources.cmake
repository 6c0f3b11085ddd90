# zuzo_program_core (standard library only): the device program's model,
# its program file, the rules, the file store.
set(PROGRAM_CORE_SOURCES
  program/core/cp1251.cpp program/core/cp1251.h
  program/core/device_program.cpp program/core/device_program.h
  program/core/file_causes.cpp program/core/file_causes.h
  program/core/file_store.cpp program/core/file_store.h
  program/core/file_store_os.h
  program/core/number_text.cpp program/core/number_text.h
  program/core/optics_range.cpp program/core/optics_range.h
  program/core/optics_rules.cpp program/core/optics_rules.h
  program/core/ptm_format.cpp program/core/ptm_format.h
  program/core/ptm_optics_patch.cpp program/core/ptm_optics_patch.h
  program/core/save_name.cpp program/core/save_name.h
  program/core/shown_text.cpp program/core/shown_text.h
)
# How a save writes, flushes and renames on each system.
if(WIN32)
  list(APPEND PROGRAM_CORE_SOURCES program/core/file_store_windows.cpp)
else()
  list(APPEND PROGRAM_CORE_SOURCES program/core/file_store_posix.cpp)
endif()
