# Paths are relative to tests/.
set(PROGRAM_CORE_TESTS
  program/core/cp1251_test.cpp
  program/core/ptm_format_test.cpp
  program/core/ptm_optics_patch_test.cpp
  program/core/optics_rules_test.cpp
  program/core/save_name_test.cpp
  program/core/number_text_test.cpp
  program/core/shown_text_test.cpp
)
set(PROGRAM_QT_TESTS
  program/optics_fixture.cpp
  program/optics_editor_test.cpp
  program/optics_warnings_test.cpp
  program/file_commands_test.cpp
)
# A file size limit for the tests of failed saves, where the system has one.
if(WIN32)
  set(TEST_FILE_SIZE_LIMIT program/file_size_limit_windows.cpp)
else()
  set(TEST_FILE_SIZE_LIMIT program/file_size_limit_posix.cpp)
endif()
list(APPEND PROGRAM_QT_TESTS ${TEST_FILE_SIZE_LIMIT})
