// The serial link on Qt SerialPort: run_io waits on the port with deadlines
// (waitForBytesWritten / waitForReadyRead).

#include "link/port_names.h"
#include "link/serial_link.h"
#include "link/serial_reply.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

// Every frame out and reply in, with timings; off unless asked for with
// QT_LOGGING_RULES="zuzo.link.trace=true".
Q_LOGGING_CATEGORY(lcLinkTrace, "zuzo.link.trace", QtWarningMsg)

namespace {

constexpr qint64 kCollectMs = zuzo::kReplyWaitMs;
constexpr qint64 kLimitMs = zuzo::kExchangeLimitMs;

// Why an open the serial port layer refused failed.
zuzo::PortOpenError open_failure(QSerialPort::SerialPortError error, const std::string& path)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return zuzo::PortOpenError::Missing;
    case QSerialPort::PermissionError:
        return zuzo::classify_permission_error(path);
    case QSerialPort::OpenError: // this link has it open already
        return zuzo::PortOpenError::Busy;
    case QSerialPort::UnsupportedOperationError:
        return zuzo::PortOpenError::SettingsRefused;
    default:
        return zuzo::PortOpenError::Other;
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

// Sleeps while the characters still missing from a reply of the expected
// length cross the line (zuzo::rest_of_reply). At most until deadline_ms on
// clock.
void sleep_for_rest(std::size_t have, std::size_t expected, const QElapsedTimer& clock, qint64 deadline_ms)
{
    const auto rest = zuzo::rest_of_reply(have, expected);
    const auto left = std::chrono::milliseconds(deadline_ms) - std::chrono::nanoseconds(clock.nsecsElapsed());
    const auto pause = std::min<std::chrono::nanoseconds>(rest, left);
    if (pause > std::chrono::nanoseconds::zero())
        std::this_thread::sleep_for(pause);
}

} // namespace

struct SerialLink::Port : QSerialPort {
    void on_error(SerialLink& link, QSerialPort::SerialPortError error);
    [[nodiscard]] bool apply_line_settings();
};

SerialLink::SerialLink(std::string virtual_port_folder)
    : port_(std::make_unique<Port>()), folder_(std::move(virtual_port_folder))
{
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError error) { port_->on_error(*this, error); });
}

SerialLink::~SerialLink()
{
    close_link();
}

void SerialLink::Port::on_error(SerialLink& link, QSerialPort::SerialPortError error)
{
    // The port stays open after the device vanished (a pseudo-terminal whose
    // other end closed reports a read error, a pulled USB adapter a resource
    // error). From now on the channel counts as closed, so the next exchange
    // finds it broken and the one who runs it decides; the link itself stays
    // held until close_link. The port is let go as soon as the port's own
    // error handling has returned, so that it cannot keep signalling.
    if (isOpen() && means_device_lost(error)) {
        if (!link.lost_)
            qCDebug(lcLinkTrace) << "device lost:" << error;
        link.lost_ = true;
        QTimer::singleShot(0, this, [&link] { link.release_lost_port(); });
    }
}

void SerialLink::release_lost_port()
{
    if (lost_ && port_->isOpen())
        port_->close();
}

bool SerialLink::Port::apply_line_settings()
{
    return setBaudRate(zuzo::kLinkBaud) && setDataBits(QSerialPort::Data8) &&
           setParity(QSerialPort::NoParity) && setStopBits(QSerialPort::OneStop) &&
           setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialLink::open_link(const QString& port_name)
{
    close_link();
    const std::string path = zuzo::resolve_port(port_name.toStdString(), folder_);
    open_error_ = zuzo::PortOpenError::Missing;
    if (path.empty())
        return false;
    port_->setPortName(QString::fromStdString(path));
    if (!port_->apply_line_settings() || !port_->open(QIODevice::ReadWrite)) {
        open_error_ = open_failure(port_->error(), path);
        port_->clearError();
        return false;
    }
    if (!port_->apply_line_settings()) {
        open_error_ = zuzo::PortOpenError::SettingsRefused;
        port_->close();
        port_->clearError();
        return false;
    }
    open_error_ = zuzo::PortOpenError::None;
    // No handshake: RTS low. A pseudo-terminal has no modem lines and refuses
    // the call, which is no reason to refuse the port.
    (void)port_->setRequestToSend(false);
    port_->clearError();
    lost_ = false;
    held_ = true;
    fine_timer_.hold();
    qCDebug(lcLinkTrace) << "opened" << port_name << "as" << path.c_str();
    return true;
}

void SerialLink::close_link()
{
    if (port_->isOpen()) {
        port_->close();
        qCDebug(lcLinkTrace) << "closed";
    }
    port_->clearError();
    lost_ = false;
    held_ = false;
    fine_timer_.release();
}

bool SerialLink::is_open() const
{
    return held_ && !lost_ && port_->isOpen();
}

int SerialLink::input_available()
{
    if (!is_open())
        return 0;
    // What the driver holds reaches the port's buffer only inside a wait.
    (void)port_->waitForReadyRead(0);
    return static_cast<int>(port_->bytesAvailable());
}

int SerialLink::read_bytes(char* buffer, int n)
{
    if (!is_open() || n <= 0)
        return 0;
    const qint64 got = port_->read(buffer, n);
    return got > 0 ? static_cast<int>(got) : 0;
}

int SerialLink::write_bytes(const char* data, int n)
{
    if (!is_open() || n <= 0)
        return 0;
    const qint64 queued = port_->write(data, n);
    if (queued <= 0)
        return 0;
    // 100 ms per byte plus 10 ms for the whole write.
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = 100LL * n + 10;
    while (port_->bytesToWrite() > 0 && !lost_) {
        const qint64 left = limit - clock.elapsed();
        if (left <= 0 || !port_->waitForBytesWritten(static_cast<int>(left)))
            break;
    }
    const qint64 unsent = port_->bytesToWrite();
    if (unsent > 0)
        port_->clear(QSerialPort::Output);
    return static_cast<int>(queued - unsent);
}

void SerialLink::flush_input()
{
    port_->clear(QSerialPort::Input);
}

bool SerialLink::take_input(std::string& reply)
{
    const QByteArray chunk = port_->readAll();
    return zuzo::take_reply_piece(reply, chunk.constData(), static_cast<std::size_t>(chunk.size()));
}

zuzo::IoResult SerialLink::run_io(const std::string& frame)
{
    zuzo::IoResult result;
    const std::size_t expected = std::exchange(expected_reply_, 0);
    if (!is_open())
        return result;
    QElapsedTimer clock;
    clock.start();
    flush_input();
    qCDebug(lcLinkTrace).nospace() << "out " << QByteArray::fromStdString(frame);
    // A failed write is not reported: the missing reply shows as a failed
    // exchange.
    (void)port_->write(frame.data(), static_cast<qint64>(frame.size()));

    bool complete = false;
    bool slept = false; // once per exchange, after the reply's first characters
    while (!complete && !lost_) {
        const qint64 left = kCollectMs - clock.elapsed();
        if (left <= 0)
            break;
        const bool woke = port_->bytesToWrite() > 0 ? port_->waitForBytesWritten(static_cast<int>(left))
                                                    : port_->waitForReadyRead(static_cast<int>(left));
        complete = take_input(result.reply);
        if (!woke)
            break; // the wait ran out or the port failed
        if (!complete && !slept && !result.reply.empty() && result.reply.size() < expected) {
            // The rest is on its way: sleep while it crosses the line, then
            // take what came (also when the sleep used up the time left).
            slept = true;
            sleep_for_rest(result.reply.size(), expected, clock, kCollectMs);
            (void)port_->waitForReadyRead(0);
            complete = take_input(result.reply);
        }
    }
    // The frame must be out within the limit, reply or not.
    while (port_->bytesToWrite() > 0 && !lost_) {
        const qint64 left = kLimitMs - clock.elapsed();
        if (left <= 0 || !port_->waitForBytesWritten(static_cast<int>(left)))
            break;
    }
    if (lost_) {
        release_lost_port();
    } else if (port_->bytesToWrite() > 0) {
        port_->clear(QSerialPort::Output);
        result.status = zuzo::IoStatus::Stalled;
        result.reply.clear();
        qCDebug(lcLinkTrace).nospace() << "stalled after " << clock.elapsed() << " ms";
        return result;
    }
    qCDebug(lcLinkTrace).nospace() << "in  " << QByteArray::fromStdString(result.reply) << " after "
                                   << clock.elapsed() << " ms" << (complete ? "" : " (incomplete)");
    return result;
}
