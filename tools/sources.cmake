# The device simulator and the companion command-line program, each a thin
# program (tools/devsim/main.cpp, tools/zuzo/main.cpp) over libraries:
#  - zuzo_devsim_lib: the simulated device on a pseudo-terminal (standard
#    library only, Linux: the programs for Windows carry no simulator);
#  - zuzo_cli_core: the companion's part on the standard library alone,
#    built (and tested under Wine) with the core: its files, its text input,
#    its console, its journal file (appended to and forced to the disk, per
#    system), its exit codes, its port lists, Ctrl+C;
#  - zuzo_cli_json: a program's JSON and "ptm make" (standard library and
#    nlohmann/json; the fuzz targets take it too);
#  - zuzo_cli_lib: its commands, on the serial link (Qt Core) and, for the
#    week chart's PNG, Qt Gui.
set(DEVSIM_SOURCES
  tools/devsim/adapter_hold.cpp tools/devsim/adapter_hold.h
  tools/devsim/detach.cpp tools/devsim/detach.h
  tools/devsim/fault_names.cpp tools/devsim/fault_names.h
  tools/devsim/frame_parser.cpp tools/devsim/frame_parser.h
  tools/devsim/pty_server.cpp tools/devsim/pty_server.h
  tools/devsim/sim_device.cpp tools/devsim/sim_device.h
  tools/devsim/sim_options.cpp tools/devsim/sim_options.h
)
set(ZUZO_CLI_CORE_SOURCES
  tools/zuzo/command_files.cpp tools/zuzo/command_files.h
  tools/zuzo/console.h
  tools/zuzo/exit_codes.cpp tools/zuzo/exit_codes.h
  tools/zuzo/help_texts_system.h
  tools/zuzo/interrupt.cpp tools/zuzo/interrupt.h
  tools/zuzo/journal_file.cpp tools/zuzo/journal_file.h
  tools/zuzo/port_set.cpp tools/zuzo/port_set.h
  tools/zuzo/same_file.h
  tools/zuzo/standard_output.cpp tools/zuzo/standard_output.h
  tools/zuzo/text_input.cpp tools/zuzo/text_input.h
)
# Its console, its standard output, whether two names lead to one file, its
# help's own lines and how Ctrl+C reaches it, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/console_windows.cpp tools/zuzo/console_windows.h
    tools/zuzo/same_file_windows.cpp tools/zuzo/journal_file_windows.cpp tools/zuzo/standard_output_windows.cpp
    tools/zuzo/help_texts_windows.cpp tools/zuzo/interrupt_windows.cpp)
else()
  list(APPEND ZUZO_CLI_CORE_SOURCES tools/zuzo/console_posix.cpp tools/zuzo/same_file_posix.cpp
    tools/zuzo/journal_file_posix.cpp tools/zuzo/standard_output_posix.cpp tools/zuzo/help_texts_posix.cpp
    tools/zuzo/interrupt_posix.cpp)
endif()
set(ZUZO_CLI_JSON_SOURCES
  tools/zuzo/json.cpp tools/zuzo/json.h
  tools/zuzo/json_program.cpp tools/zuzo/json_program.h
  tools/zuzo/json_reasons.cpp tools/zuzo/json_reasons.h
  tools/zuzo/ptm_make.cpp tools/zuzo/ptm_make.h
)
set(ZUZO_CLI_SOURCES
  tools/zuzo/chart_png.cpp tools/zuzo/chart_png.h
  tools/zuzo/cli.cpp tools/zuzo/cli.h
  tools/zuzo/device_commands.cpp tools/zuzo/device_commands.h
  tools/zuzo/device_find.cpp tools/zuzo/device_find.h
  tools/zuzo/device_holds.cpp tools/zuzo/device_holds.h
  tools/zuzo/device_journal.cpp tools/zuzo/device_journal.h
  tools/zuzo/device_options.cpp tools/zuzo/device_options.h
  tools/zuzo/device_report.cpp tools/zuzo/device_report.h
  tools/zuzo/device_session.cpp tools/zuzo/device_session.h
  tools/zuzo/file_kinds.cpp tools/zuzo/file_kinds.h
  tools/zuzo/find_report.cpp tools/zuzo/find_report.h
  tools/zuzo/fleet_report.cpp tools/zuzo/fleet_report.h
  tools/zuzo/fleet_run.cpp tools/zuzo/fleet_run.h
  tools/zuzo/help_texts.cpp tools/zuzo/help_texts.h
  tools/zuzo/help_texts_field.cpp tools/zuzo/help_texts_field.h
  tools/zuzo/optics_compare.cpp tools/zuzo/optics_compare.h
  tools/zuzo/plan_chart.cpp tools/zuzo/plan_chart.h
  tools/zuzo/plan_commands.cpp tools/zuzo/plan_commands.h
  tools/zuzo/port_test.cpp tools/zuzo/port_test.h
  tools/zuzo/port_test_report.cpp tools/zuzo/port_test_report.h
  tools/zuzo/program_diff.cpp tools/zuzo/program_diff.h
  tools/zuzo/ptm_check.cpp tools/zuzo/ptm_check.h
  tools/zuzo/ptm_commands.cpp tools/zuzo/ptm_commands.h
  tools/zuzo/ptm_diff.cpp tools/zuzo/ptm_diff.h
)
# How the week chart reaches a platform to draw its PNG on, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/chart_png_windows.cpp)
else()
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/chart_png_posix.cpp)
endif()
