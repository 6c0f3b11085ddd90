# The device simulator and the companion command-line program.
set(DEVSIM_SOURCES
  tools/devsim/sim_device.cpp
  tools/devsim/frame_parser.cpp
  tools/devsim/fault_names.cpp
  tools/devsim/pty_server.cpp
  tools/devsim/detach.cpp
)
set(ZUZO_CLI_SOURCES
  tools/zuzo/cli.cpp
  tools/zuzo/json.cpp
  tools/zuzo/json_reasons.cpp
  tools/zuzo/json_program.cpp
  tools/zuzo/ptm_make.cpp
  tools/zuzo/ptm_commands.cpp
  tools/zuzo/ptm_check.cpp
  tools/zuzo/plan_commands.cpp
  tools/zuzo/optics_compare.cpp
  tools/zuzo/device_options.cpp
  tools/zuzo/device_commands.cpp
  tools/zuzo/device_session.cpp
  tools/zuzo/device_journal.cpp
  tools/zuzo/fleet_run.cpp
  tools/zuzo/fleet_report.cpp
  tools/zuzo/program_diff.cpp
  tools/zuzo/ptm_diff.cpp
  tools/zuzo/plan_chart.cpp
  tools/zuzo/chart_png.cpp
  tools/zuzo/help_texts.cpp
  tools/zuzo/device_report.cpp
  tools/zuzo/file_kinds.cpp
)
# The companion's part on the standard library alone, built (and tested
# under Wine) with the core: its files, its text input, its console, its
# journal file (appended to and forced to the disk, per system).
set(ZUZO_CLI_CORE_SOURCES
  tools/zuzo/command_files.cpp
  tools/zuzo/text_input.cpp
  tools/zuzo/journal_file.cpp
  tools/zuzo/standard_output.cpp
  tools/zuzo/exit_codes.cpp
  tools/zuzo/port_set.cpp
  tools/zuzo/interrupt.cpp
)
# How the week chart reaches a platform to draw its PNG on, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/chart_png_windows.cpp)
else()
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/chart_png_posix.cpp)
endif()
# Its console, its standard output, whether two names lead to one file, its
# help's own lines and how Ctrl+C reaches it, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/console_windows.cpp tools/zuzo/same_file_windows.cpp
    tools/zuzo/journal_file_windows.cpp tools/zuzo/standard_output_windows.cpp tools/zuzo/help_texts_windows.cpp
    tools/zuzo/interrupt_windows.cpp)
else()
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/console_posix.cpp tools/zuzo/same_file_posix.cpp
    tools/zuzo/journal_file_posix.cpp tools/zuzo/standard_output_posix.cpp tools/zuzo/help_texts_posix.cpp
    tools/zuzo/interrupt_posix.cpp)
endif()
