# Paths are relative to tests/.
set(PROGRAM_CORE_TESTS
  program/cp1251_test.cpp
  program/ptm_format_test.cpp
  program/ptm_optics_patch_test.cpp
  program/optics_rules_test.cpp
  program/save_name_test.cpp
  program/number_text_test.cpp
  program/shown_text_test.cpp
)
set(PROGRAM_QT_TESTS
  program/optics_fixture.cpp
  program/optics_editor_test.cpp
  program/optics_warnings_test.cpp
  program/file_commands_test.cpp
)
