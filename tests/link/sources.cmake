# Paths are relative to tests/.
set(LINK_CORE_TESTS
  link/port_names_test.cpp
  link/protocol_test.cpp
  link/optics_bytes_test.cpp
  link/exchange_test.cpp
)
set(LINK_QT_TESTS
  link/pty_peer.cpp
  link/serial_link_test.cpp
  link/status_log_test.cpp
  link/link_fixture.cpp
  link/connection_test.cpp
  link/transfer_test.cpp
  link/preview_discovery_test.cpp
)
