# zuzo_link (Qt widgets, standing on ui/ and on link/core and link/serial):
# connection supervision and program transfer (no widget: they report
# through signals, app/ wires them), the status log and the progress
# window. None of the link's libraries links app/ or plans/.
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
