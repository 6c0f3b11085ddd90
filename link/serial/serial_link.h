#pragma once
// The serial link to the device: at most one open port (serial_port.h),
// opened by a COM name or a device path, and the input/output half of every
// exchange on it (run_io, exchange_io.h). Alike on every system; only the
// port differs. While the link is open the system's timer is fine
// (FineTimer), so that the exchange's one sleep ends on time on Windows too.
// Every frame out and reply in, with timings, is traced under the logging
// category "zuzo.link.trace".

#include "link/core/fine_timer.h"
#include "link/core/io_channel.h"
#include "link/core/link_clock.h"
#include "link/core/port_open_error.h"
#include "link/core/serial_port.h"

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
    [[nodiscard]] bool link_is_open() const { return held_; }
    // False once the device was lost: what an exchange asks before sending.
    [[nodiscard]] bool is_open() const override;

    // Flush waiting input, send the frame, collect the reply until "#" CR or
    // 300 ms; Stalled when the frame could not be written within 900 ms.
    zuzo::IoResult run_io(const std::string& frame) override;
    void expect_reply(std::size_t characters) override { expected_reply_ = characters; }

private:
    std::unique_ptr<zuzo::SerialPort> port_;
    zuzo::SystemLinkClock clock_;
    std::string folder_;
    bool held_ = false; // from a successful open_link until close_link
    zuzo::PortOpenError open_error_ = zuzo::PortOpenError::None;
    std::size_t expected_reply_ = 0; // for the next run_io only
    zuzo::FineTimer fine_timer_;     // held while the link is
};
