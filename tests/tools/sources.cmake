# Paths are relative to tests/.
# The companion program's commands, called as functions.
set(TOOLS_TESTS
  tools/zuzo/json/json_test.cpp
  tools/zuzo/json/json_program_test.cpp
  tools/zuzo/commands/ptm_commands_test.cpp
  tools/zuzo/commands/plan_commands_test.cpp
  tools/zuzo/commands/help_texts_test.cpp
  tools/zuzo/commands/diff_chart_test.cpp
  tools/zuzo/commands/port_test_report_test.cpp
  tools/zuzo/commands/device_holds_test.cpp
  ${TEST_FILE_SIZE_LIMIT}
)

# zuzo.exe in a console, and the help's Windows lines.
if(WIN32)
  list(APPEND TOOLS_TESTS tools/zuzo/commands/console_readback_windows_test.cpp tools/zuzo/core/help_texts_windows_test.cpp)
endif()

# The simulated device and its frame parser, as functions; then the
# simulator on a pseudo-terminal (its command line too), and the companion's
# device commands against it, in the test's own process. None of them is
# built for Windows, where no simulator runs (the Wine device checks run
# zuzo.exe against zuzo-devsim through COM ports instead).
if(NOT WIN32)
  set(DEVSIM_TESTS
    tools/devsim/frame_parser_test.cpp
    tools/devsim/sim_device_test.cpp
  )
  set(TOOLS_PTY_TESTS
    tools/pty_channel.cpp
    tools/devsim/pty_server_test.cpp
    tools/zuzo/commands/device_commands_test.cpp
    tools/zuzo/commands/device_outcomes_test.cpp
    tools/zuzo/commands/fleet_commands_test.cpp
    tools/zuzo/commands/device_clock_test.cpp
    tools/zuzo/commands/field_kit_test.cpp
    ${TEST_FILE_SIZE_LIMIT}
  )
endif()

# The companion's standard-library part (run under Wine by the cross-check).
set(TOOLS_CORE_TESTS
  tools/zuzo/core/text_input_test.cpp
  tools/zuzo/core/same_file_test.cpp
  tools/zuzo/core/journal_file_test.cpp
  tools/zuzo/core/port_set_test.cpp
)
if(WIN32)
  list(APPEND TOOLS_CORE_TESTS tools/zuzo/core/unicode_edges_windows_test.cpp tools/zuzo/core/console_windows_test.cpp)
endif()
