#pragma once
// The serial link to the device: at most one open port, 9600 baud, 8 data
// bits, no parity, 1 stop bit, no flow control, opened exclusively. Also the
// input/output half of every exchange (run_io).
//
// Each platform reaches its port its own way (serial_link_qt.cpp on Qt
// SerialPort, serial_link_windows.cpp on the system's communications calls),
// chosen by the build. Everything runs on the calling thread: run_io waits on
// the port with deadlines and starts no thread.
// A device sends its reply one character at a time at line speed; once the
// first one is in, run_io sleeps for the line time of the rest of a reply of
// the expected length (expect_reply) but its last character, instead of
// waking for every character, then waits for the end as before. While the
// link is open the system's timer is fine (FineTimer), so that the sleep
// ends on time on Windows too.

#include "link/fine_timer.h"
#include "link/io_channel.h"
#include "link/port_open_error.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>

class SerialLink : public zuzo::IoChannel {
public:
    // virtual_port_folder: the folder whose COMn links stand for COM names.
    explicit SerialLink(std::string virtual_port_folder);
    ~SerialLink() override;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Closes an open port first, then opens the port a COM name (or a device
    // path) stands for. False, and the link closed, when the name stands for
    // no device, the device cannot be opened or a line setting is refused.
    [[nodiscard]] bool open_link(const QString& port_name);
    // Why the last open_link failed (None after a success).
    [[nodiscard]] zuzo::PortOpenError open_error() const { return open_error_; }
    void close_link();

    // True from a successful open_link until close_link, even after the
    // device was lost (the next exchange then finds the channel closed).
    [[nodiscard]] bool link_is_open() const;
    // False once the device was lost: what an exchange asks before sending.
    [[nodiscard]] bool is_open() const override;

    // Received bytes waiting to be read (0 when closed).
    [[nodiscard]] int input_available();
    // Reads up to n waiting bytes; the count read (0 on an error or closed).
    int read_bytes(char* buffer, int n);
    // Writes n bytes and waits for them to leave; the count written (0 on an
    // error or closed).
    int write_bytes(const char* data, int n);

    // Flush waiting input, send the frame, collect the reply until "#" CR or
    // 300 ms of waiting; Stalled when the frame could not be written within
    // about 900 ms.
    zuzo::IoResult run_io(const std::string& frame) override;
    void expect_reply(std::size_t characters) override;

private:
    // The system's port, as each platform reaches it.
    struct Port;

    void release_lost_port();
    void flush_input();
    // Appends what has arrived to reply; true once it holds "#" CR (the
    // reply is then cut right after it).
    bool take_input(std::string& reply);

    std::unique_ptr<Port> port_;
    std::string folder_;
    bool held_ = false; // from a successful open_link until close_link
    bool lost_ = false; // the device went away while held
    zuzo::PortOpenError open_error_ = zuzo::PortOpenError::None;
    std::size_t expected_reply_ = 0; // for the next run_io only
    zuzo::FineTimer fine_timer_;     // held while the link is
};
