# Device link: protocol, port names and the input/output half of an exchange
# (core), the serial link on each system's port, connection supervision and
# program transfer (Qt, no widget: they report through signals, app/ wires
# them), the status log and the progress window (Qt widgets). It stands on
# ui/ and the core, never on app/.
set(LINK_CORE_SOURCES
  link/port_list.cpp
  link/port_names.cpp
  link/protocol.cpp
  link/optics_bytes.cpp
  link/exchange.cpp
  link/port_open_error.cpp
  link/exchange_io.cpp
  link/status_reply.cpp
  link/clock_offset.cpp
)
# What a COM name opens, where the list of ports comes from, and the timer
# tick while the link is open.
if(WIN32)
  list(APPEND LINK_CORE_SOURCES
    link/port_names_windows.cpp
    link/registry_ports_windows.cpp
    link/fine_timer_windows.cpp
    link/port_open_error_windows.cpp
  )
else()
  list(APPEND LINK_CORE_SOURCES
    link/port_names_posix.cpp
    link/fine_timer_posix.cpp
    link/port_open_error_posix.cpp
  )
endif()
# The serial link, alike everywhere, on the system's port: the system's
# communications calls on Windows (Qt SerialPort's Windows wait cannot be
# served under Wine), Qt SerialPort elsewhere.
set(LINK_SERIAL_SOURCES
  link/serial_link.cpp
)
if(WIN32)
  list(APPEND LINK_SERIAL_SOURCES link/serial_port_windows.cpp)
else()
  list(APPEND LINK_SERIAL_SOURCES link/serial_port_qt.cpp)
endif()
set(LINK_QT_SOURCES
  link/status_log.cpp
  link/port_discovery.cpp
  link/box_fault_prompt.cpp
  link/date_display.cpp
  link/connection.cpp
  link/transfer_progress_window.cpp
  link/program_transfer.cpp
)
