# zuzo_cli_lib: the companion's commands, on the serial link (Qt Core) and,
# for the week chart's PNG, Qt Gui, under the thin program
# tools/zuzo/main.cpp.
set(ZUZO_CLI_SOURCES
  tools/zuzo/commands/chart_png.cpp tools/zuzo/commands/chart_png.h
  tools/zuzo/commands/cli.cpp tools/zuzo/commands/cli.h
  tools/zuzo/commands/command_checks.cpp tools/zuzo/commands/command_checks.h
  tools/zuzo/commands/device_commands.cpp tools/zuzo/commands/device_commands.h
  tools/zuzo/commands/device_find.cpp tools/zuzo/commands/device_find.h
  tools/zuzo/commands/device_holds.cpp tools/zuzo/commands/device_holds.h
  tools/zuzo/commands/device_journal.cpp tools/zuzo/commands/device_journal.h
  tools/zuzo/commands/device_options.cpp tools/zuzo/commands/device_options.h
  tools/zuzo/commands/device_report.cpp tools/zuzo/commands/device_report.h
  tools/zuzo/commands/device_session.cpp tools/zuzo/commands/device_session.h
  tools/zuzo/commands/file_kinds.cpp tools/zuzo/commands/file_kinds.h
  tools/zuzo/commands/find_report.cpp tools/zuzo/commands/find_report.h
  tools/zuzo/commands/fleet_report.cpp tools/zuzo/commands/fleet_report.h
  tools/zuzo/commands/fleet_run.cpp tools/zuzo/commands/fleet_run.h
  tools/zuzo/commands/help_texts.cpp tools/zuzo/commands/help_texts.h
  tools/zuzo/commands/help_texts_field.cpp tools/zuzo/commands/help_texts_field.h
  tools/zuzo/commands/optics_compare.cpp tools/zuzo/commands/optics_compare.h
  tools/zuzo/commands/plan_chart.cpp tools/zuzo/commands/plan_chart.h
  tools/zuzo/commands/plan_commands.cpp tools/zuzo/commands/plan_commands.h
  tools/zuzo/commands/port_test.cpp tools/zuzo/commands/port_test.h
  tools/zuzo/commands/port_test_report.cpp tools/zuzo/commands/port_test_report.h
  tools/zuzo/commands/port_threads.cpp tools/zuzo/commands/port_threads.h
  tools/zuzo/commands/program_diff.cpp tools/zuzo/commands/program_diff.h
  tools/zuzo/commands/ptm_check.cpp tools/zuzo/commands/ptm_check.h
  tools/zuzo/commands/ptm_commands.cpp tools/zuzo/commands/ptm_commands.h
  tools/zuzo/commands/ptm_diff.cpp tools/zuzo/commands/ptm_diff.h
)
# How the week chart reaches a platform to draw its PNG on, per system.
if(WIN32)
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/commands/chart_png_windows.cpp)
else()
  list(APPEND ZUZO_CLI_SOURCES tools/zuzo/commands/chart_png_posix.cpp)
endif()
