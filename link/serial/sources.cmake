# zuzo_link_serial (Qt Core, no widgets): the serial link on the system's
# port, shared by the tool and the companion.
# The serial link, alike everywhere, on the system's port: the system's
# communications calls on Windows (Qt SerialPort's Windows wait cannot be
# served under Wine), Qt SerialPort elsewhere, where the port asks Linux
# for low latency.
set(LINK_SERIAL_SOURCES
  link/serial/serial_link.cpp link/serial/serial_link.h
)
if(WIN32)
  list(APPEND LINK_SERIAL_SOURCES link/serial/serial_port_windows.cpp)
else()
  list(APPEND LINK_SERIAL_SOURCES link/serial/serial_port_qt.cpp link/serial/low_latency.h link/serial/low_latency_linux.cpp)
endif()
