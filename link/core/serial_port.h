#pragma once
// One serial port as each system reaches it: open with the line settings,
// write and read each bounded by a deadline, discard waiting input, close.
// Nothing else: how long to wait for what, and when an exchange counts as
// stalled, is decided once for every system (exchange_io.h). Each system has
// its own file (serial_port_qt.cpp on Qt SerialPort, serial_port_windows.cpp
// on the system's communications calls), chosen by the build. A port is used
// by one thread at a time; ports of different threads share nothing.

#include "link/core/link_clock.h"
#include "link/core/port_open_error.h"

#include <cstddef>
#include <memory>
#include <string>

namespace zuzo {

// The line: 9600 baud, 8 data bits, no parity, 1 stop bit, no handshake
// (RTS low, no flow control either way).
inline constexpr int kLinkBaud = 9600;

// What one write or read moved. lost: the device went away (a pulled USB
// adapter, a line whose other end closed); the port is closed from then on.
struct PortIo {
    std::size_t count = 0;
    bool lost = false;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device at path (as resolve_port names it) for this port
    // alone, with the line settings above. A port that opened but refused a
    // setting is closed again (SettingsRefused).
    [[nodiscard]] virtual PortOpenError open(const std::string& path) = 0;
    virtual void close() = 0;
    // From a successful open until close, or until the device went away.
    [[nodiscard]] virtual bool is_open() const = 0;

    // Writes n bytes, waiting at most until deadline (past: no waiting,
    // only what goes at once); count is what went out. What did not go out
    // by then stays queued, still on its way: finish_write waits for it,
    // drop_output drops it. A write never drops anything queued before it.
    [[nodiscard]] virtual PortIo write(const char* data, std::size_t n, LinkTime deadline) = 0;
    // Waits at most until deadline for what the last write left queued;
    // count is how much of it went out meanwhile (0 when nothing was left).
    [[nodiscard]] virtual PortIo finish_write(LinkTime deadline) = 0;
    // Drops what the last write left queued, so that it is never sent.
    virtual void drop_output() = 0;
    // Waits until at least one byte has come or the deadline has passed
    // (past: no waiting), then reads what is waiting, at most n bytes; the
    // rest waits for the next read. A count of 0 means nothing came in time.
    [[nodiscard]] virtual PortIo read(char* buffer, std::size_t n, LinkTime deadline) = 0;
    // Drops whatever has come and was not read.
    virtual void discard_input() = 0;
};

// This system's port (serial_port_qt.cpp, serial_port_windows.cpp), closed.
[[nodiscard]] std::unique_ptr<SerialPort> make_system_port();

} // namespace zuzo
