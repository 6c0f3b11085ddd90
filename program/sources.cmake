# Device program: model, program file, rules (core) and their editors (Qt).
set(PROGRAM_CORE_SOURCES
  program/device_program.cpp
  program/number_text.cpp
  program/cp1251.cpp
  program/ptm_format.cpp
  program/optics_rules.cpp
  program/save_name.cpp
  program/shown_text.cpp
)
set(PROGRAM_QT_SOURCES
  program/optics_editor.cpp
  program/write_gate.cpp
  program/file_commands.cpp
  program/edit_limits.cpp
  program/program_controls.cpp
  program/program_file_io.cpp
)
