# Paths are relative to tests/.
set(LINK_CORE_TESTS
  link/core/com_names_test.cpp
  link/core/protocol_test.cpp
  link/core/optics_bytes_test.cpp
  link/core/exchange_test.cpp
  link/core/exchange_io_test.cpp
  link/core/clock_offset_test.cpp
)
if(WIN32)
  list(APPEND LINK_CORE_TESTS
    link/core/port_names_windows_test.cpp
    link/core/registry_ports_windows_test.cpp
  )
else()
  list(APPEND LINK_CORE_TESTS
    link/core/port_names_test.cpp
  )
endif()
set(LINK_QT_TESTS
  link/status_log_test.cpp
)
# The serial link against the simulator: on Windows through COM ports that
# lead to simulators (scripts/windows-check.sh maps them); elsewhere, with
# the link's supervision and transfer, against the simulated device on a
# pseudo-terminal in the test's own process (the simulator is a Linux
# program, so these are not built for Windows).
if(WIN32)
  set(LINK_PTY_TESTS link/serial/serial_link_windows_test.cpp)
else()
  set(LINK_PTY_TESTS
    link/pty_peer.cpp
    link/serial/serial_link_test.cpp
    link/link_fixture.cpp
    link/connection_test.cpp
    link/link_reports_test.cpp
    link/transfer_test.cpp
    link/preview_discovery_test.cpp
  )
endif()
