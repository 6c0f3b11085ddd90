# zuzo_link_core (standard library only, on the device program's core):
# protocol, port names, the exchange written once over each system's port
# (link/core/serial_port.h), the decoded replies, the optics transfer's
# sequence of commands, the port list, the fine timer.
set(LINK_CORE_SOURCES
  link/core/clock_offset.cpp link/core/clock_offset.h
  link/core/exchange.cpp link/core/exchange.h
  link/core/exchange_io.cpp link/core/exchange_io.h
  link/core/fine_timer.h
  link/core/io_channel.h
  link/core/link_clock.h
  link/core/optics_bytes.cpp link/core/optics_bytes.h
  link/core/optics_transfer.cpp link/core/optics_transfer.h
  link/core/port_list.cpp link/core/port_list.h
  link/core/port_names.cpp link/core/port_names.h
  link/core/port_open_error.cpp link/core/port_open_error.h
  link/core/protocol.cpp link/core/protocol.h
  link/core/serial_port.h
  link/core/status_reply.cpp link/core/status_reply.h
)
# What a COM name opens, where the list of ports comes from, and the timer
# tick while the link is open.
if(WIN32)
  list(APPEND LINK_CORE_SOURCES
    link/core/fine_timer_windows.cpp
    link/core/port_names_windows.cpp
    link/core/port_open_error_windows.cpp
    link/core/registry_ports_windows.cpp link/core/registry_ports_windows.h
  )
else()
  list(APPEND LINK_CORE_SOURCES
    link/core/fine_timer_posix.cpp
    link/core/port_names_posix.cpp link/core/port_names_posix.h
    link/core/port_open_error_posix.cpp
  )
endif()
