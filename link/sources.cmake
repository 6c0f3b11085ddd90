# Device link, in three libraries:
#  - zuzo_link_core (standard library only, on the device program's core):
#    protocol, port names, the exchange written once over each system's
#    port (link/serial_port.h), the decoded replies, the optics transfer's
#    sequence of commands, the port list, the fine timer;
#  - zuzo_link_serial (Qt Core, no widgets): the serial link on the system's
#    port, shared by the tool and the companion;
#  - zuzo_link (Qt widgets, standing on ui/): connection supervision and
#    program transfer (no widget: they report through signals, app/ wires
#    them), the status log and the progress window.
# None of them links app/ or plans/.
set(LINK_CORE_SOURCES
  link/clock_offset.cpp link/clock_offset.h
  link/exchange.cpp link/exchange.h
  link/exchange_io.cpp link/exchange_io.h
  link/fine_timer.h
  link/io_channel.h
  link/link_clock.h
  link/optics_bytes.cpp link/optics_bytes.h
  link/optics_transfer.cpp link/optics_transfer.h
  link/port_list.cpp link/port_list.h
  link/port_names.cpp link/port_names.h
  link/port_open_error.cpp link/port_open_error.h
  link/protocol.cpp link/protocol.h
  link/serial_port.h
  link/status_reply.cpp link/status_reply.h
)
# What a COM name opens, where the list of ports comes from, and the timer
# tick while the link is open.
if(WIN32)
  list(APPEND LINK_CORE_SOURCES
    link/fine_timer_windows.cpp
    link/port_names_windows.cpp
    link/port_open_error_windows.cpp
    link/registry_ports_windows.cpp link/registry_ports_windows.h
  )
else()
  list(APPEND LINK_CORE_SOURCES
    link/fine_timer_posix.cpp
    link/port_names_posix.cpp link/port_names_posix.h
    link/port_open_error_posix.cpp
  )
endif()
# The serial link, alike everywhere, on the system's port: the system's
# communications calls on Windows (Qt SerialPort's Windows wait cannot be
# served under Wine), Qt SerialPort elsewhere, where the port asks Linux
# for low latency.
set(LINK_SERIAL_SOURCES
  link/serial_link.cpp link/serial_link.h
)
if(WIN32)
  list(APPEND LINK_SERIAL_SOURCES link/serial_port_windows.cpp)
else()
  list(APPEND LINK_SERIAL_SOURCES link/serial_port_qt.cpp link/low_latency.h link/low_latency_linux.cpp)
endif()
set(LINK_QT_SOURCES
  link/box_fault_prompt.cpp link/box_fault_prompt.h
  link/connection.cpp link/connection.h
  link/date_display.cpp link/date_display.h
  link/link_host.h
  link/port_discovery.cpp link/port_discovery.h
  link/program_transfer.cpp link/program_transfer.h
  link/status_log.cpp link/status_log.h
  link/transfer_progress_window.cpp link/transfer_progress_window.h
)
