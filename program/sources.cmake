# zuzo_program (Qt widgets standing on ui/ and program/core): the optics
# editor, the file commands, the write gate. It links neither plans/ nor app/.
set(PROGRAM_QT_SOURCES
  program/edit_limits.cpp program/edit_limits.h
  program/file_commands.cpp program/file_commands.h
  program/optics_editor.cpp program/optics_editor.h
  program/program_controls.cpp program/program_controls.h
  program/program_file_io.cpp program/program_file_io.h
  program/write_gate.cpp program/write_gate.h
)
