// The serial port on Qt SerialPort. Its waits (waitForBytesWritten,
// waitForReadyRead) are bounded by the caller's deadline. The port layer
// reports a vanished device through its error signal, also between
// exchanges while events are processed; the port is then let go.

#include "link/core/serial_port.h"
#include "link/serial/low_latency.h"

#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace zuzo {
namespace {

// Why an open the serial port layer refused failed.
PortOpenError open_failure(QSerialPort::SerialPortError error, const std::string& path)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenError::Missing;
    case QSerialPort::PermissionError:
        return classify_permission_error(path);
    case QSerialPort::OpenError: // this process has it open already
        return PortOpenError::Busy;
    case QSerialPort::UnsupportedOperationError:
        return PortOpenError::SettingsRefused;
    default:
        return PortOpenError::Other;
    }
}

bool means_device_lost(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
        return true;
    default:
        return false;
    }
}

// The milliseconds of a wait that ends at deadline (link_clock.h).
int wait_ms(LinkTime deadline)
{
    return static_cast<int>(ms_until(deadline, std::chrono::steady_clock::now()));
}

class QtSerialPort final : public SerialPort {
public:
    QtSerialPort()
    {
        QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                         [this](QSerialPort::SerialPortError error) { on_error(error); });
    }
    ~QtSerialPort() override { close(); }
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    PortOpenError open(const std::string& path) override
    {
        close();
        port_.setPortName(QString::fromStdString(path));
        if (!apply_line_settings() || !port_.open(QIODevice::ReadWrite)) {
            const PortOpenError why = open_failure(port_.error(), path);
            port_.clearError();
            return why;
        }
        if (!apply_line_settings()) {
            close();
            return PortOpenError::SettingsRefused;
        }
        // No handshake: RTS low. A pseudo-terminal has no modem lines and
        // refuses the call, which is no reason to refuse the port.
        (void)port_.setRequestToSend(false);
        // An adapter's latency time as short as the system lets it be.
        (void)low_latency_.request(port_.handle());
        port_.clearError();
        return PortOpenError::None;
    }

    void close() override
    {
        if (port_.isOpen()) {
            low_latency_.give_back(port_.handle());
            port_.close();
        }
        port_.clearError();
        lost_ = false;
    }

    bool is_open() const override { return !lost_ && port_.isOpen(); }

    PortIo write(const char* data, std::size_t n, LinkTime deadline) override
    {
        if (!is_open())
            return gone();
        const qint64 queued = port_.write(data, static_cast<qint64>(n));
        if (queued <= 0)
            return finish(0);
        return finish(wait_out(deadline));
    }

    PortIo finish_write(LinkTime deadline) override
    {
        if (!is_open())
            return gone();
        return finish(port_.bytesToWrite() > 0 ? wait_out(deadline) : 0);
    }

    void drop_output() override
    {
        // The port layer drops its own queue together with the system's:
        // only ever at the exchange's limit, for a frame that did not go.
        if (is_open() && port_.bytesToWrite() > 0)
            port_.clear(QSerialPort::Output);
        let_go_if_lost();
    }

    PortIo read(char* buffer, std::size_t n, LinkTime deadline) override
    {
        if (!is_open())
            return gone();
        // What the driver holds reaches the port's buffer only inside a wait.
        if (port_.bytesAvailable() == 0)
            (void)port_.waitForReadyRead(wait_ms(deadline));
        return finish(port_.read(buffer, static_cast<qint64>(n)));
    }

    void discard_input() override
    {
        if (is_open())
            port_.clear(QSerialPort::Input);
        let_go_if_lost();
    }

private:
    [[nodiscard]] bool apply_line_settings()
    {
        return port_.setBaudRate(kLinkBaud) && port_.setDataBits(QSerialPort::Data8) &&
               port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
               port_.setFlowControl(QSerialPort::NoFlowControl);
    }

    // Waits until the port's queue has gone to the system or the deadline
    // has passed, with at least one try also when it has passed already;
    // what left the queue meanwhile. What is left stays queued.
    qint64 wait_out(LinkTime deadline)
    {
        const qint64 before = port_.bytesToWrite();
        while (port_.waitForBytesWritten(wait_ms(deadline)) && port_.bytesToWrite() > 0 && !lost_) {
        }
        return before - port_.bytesToWrite();
    }

    // The port stays open after the device vanished (a pseudo-terminal whose
    // other end closed reports a read error, a pulled USB adapter a resource
    // error). From then on it counts as closed; it is let go as soon as the
    // port layer's own error handling has returned, so that it cannot keep
    // signalling.
    void on_error(QSerialPort::SerialPortError error)
    {
        if (!port_.isOpen() || !means_device_lost(error))
            return;
        lost_ = true;
        QTimer::singleShot(0, &port_, [this] { let_go_if_lost(); });
    }

    void let_go_if_lost()
    {
        if (lost_ && port_.isOpen())
            port_.close();
    }

    // Nothing moves: the port is closed, or the device went away.
    PortIo gone()
    {
        let_go_if_lost();
        return {0, true};
    }

    // A count moved, and whether the device went away meanwhile.
    PortIo finish(qint64 count)
    {
        const PortIo io{static_cast<std::size_t>(std::max<qint64>(count, 0)), lost_};
        let_go_if_lost();
        return io;
    }

    QSerialPort port_;
    bool lost_ = false; // the device went away while the port was open
    LowLatency low_latency_;
};

} // namespace

std::unique_ptr<SerialPort> make_system_port()
{
    return std::make_unique<QtSerialPort>();
}

} // namespace zuzo
