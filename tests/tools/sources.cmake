# Paths are relative to tests/.
# The companion program's commands, called as functions.
set(TOOLS_TESTS
  tools/json_test.cpp
  tools/json_program_test.cpp
  tools/ptm_commands_test.cpp
  tools/plan_commands_test.cpp
  tools/help_texts_test.cpp
  tools/diff_chart_test.cpp
  tools/port_test_report_test.cpp
  tools/device_holds_test.cpp
  ${TEST_FILE_SIZE_LIMIT}
)

# zuzo.exe in a console, and the help's Windows lines.
if(WIN32)
  list(APPEND TOOLS_TESTS tools/console_readback_windows_test.cpp tools/help_texts_windows_test.cpp)
endif()

# The simulated device and its frame parser, as functions; then the
# simulator on a pseudo-terminal (its command line too), and the companion's
# device commands against it, in the test's own process. None of them is
# built for Windows, where no simulator runs (the Wine device checks run
# zuzo.exe against zuzo-devsim through COM ports instead).
if(NOT WIN32)
  set(DEVSIM_TESTS
    tools/frame_parser_test.cpp
    tools/sim_device_test.cpp
  )
  set(TOOLS_PTY_TESTS
    tools/pty_channel.cpp
    tools/pty_server_test.cpp
    tools/device_commands_test.cpp
    tools/device_outcomes_test.cpp
    tools/fleet_commands_test.cpp
    tools/device_clock_test.cpp
    tools/field_kit_test.cpp
    ${TEST_FILE_SIZE_LIMIT}
  )
endif()

# The companion's standard-library part (run under Wine by the cross-check).
set(TOOLS_CORE_TESTS
  tools/text_input_test.cpp
  tools/same_file_test.cpp
  tools/journal_file_test.cpp
  tools/port_set_test.cpp
)
if(WIN32)
  list(APPEND TOOLS_CORE_TESTS tools/unicode_edges_windows_test.cpp tools/console_windows_test.cpp)
endif()
