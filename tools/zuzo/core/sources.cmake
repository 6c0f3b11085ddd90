# zuzo_cli_core: the companion's part on the standard library alone, built
# (and tested under Wine) with the core: its files, its text input, its
# console, its journal file (appended to and forced to the disk, per
# system), its exit codes, its port lists, Ctrl+C and the stop signals.
set(ZUZO_CLI_CORE_SOURCES
  tools/zuzo/core/command_files.cpp tools/zuzo/core/command_files.h
  tools/zuzo/core/console.h
  tools/zuzo/core/exit_codes.cpp tools/zuzo/core/exit_codes.h
  tools/zuzo/core/help_texts_system.h
  tools/zuzo/core/interrupt.cpp tools/zuzo/core/interrupt.h
  tools/zuzo/core/journal_file.cpp tools/zuzo/core/journal_file.h
  tools/zuzo/core/port_set.cpp tools/zuzo/core/port_set.h
  tools/zuzo/core/same_file.h
  tools/zuzo/core/standard_output.cpp tools/zuzo/core/standard_output.h
  tools/zuzo/core/text_input.cpp tools/zuzo/core/text_input.h
)
# Its console, its standard output, whether two names lead to one file, its
# help's own lines and how Ctrl+C reaches it, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/core/console_windows.cpp tools/zuzo/core/console_windows.h
    tools/zuzo/core/same_file_windows.cpp tools/zuzo/core/journal_file_windows.cpp tools/zuzo/core/standard_output_windows.cpp
    tools/zuzo/core/help_texts_windows.cpp tools/zuzo/core/interrupt_windows.cpp)
else()
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/core/console_posix.cpp tools/zuzo/core/same_file_posix.cpp
    tools/zuzo/core/journal_file_posix.cpp tools/zuzo/core/standard_output_posix.cpp tools/zuzo/core/help_texts_posix.cpp
    tools/zuzo/core/interrupt_posix.cpp)
endif()
