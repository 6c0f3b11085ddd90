// The serial link on Windows' own communications calls: CreateFile,
// SetupComm, SetCommState, SetCommTimeouts, ClearCommError, PurgeComm,
// ReadFile and WriteFile on a port opened for synchronous use. Waiting for
// the device is a ReadFile of one character whose total timeout is the time
// left of the exchange: it ends when a character arrives or at the deadline,
// whichever comes first; what else is waiting is then taken at once. No
// WaitCommEvent, no thread, no polling. A call on the port that fails means
// the device went away (a pulled USB adapter, a line whose other end closed).

#include "link/port_names.h"
#include "link/serial_link.h"
#include "link/serial_reply.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

// Every frame out and reply in, with timings; off unless asked for with
// QT_LOGGING_RULES="zuzo.link.trace=true".
Q_LOGGING_CATEGORY(lcLinkTrace, "zuzo.link.trace", QtWarningMsg)

namespace {

using Clock = std::chrono::steady_clock;

// Why CreateFile refused a port: a port is opened without sharing, so a
// denied access to an existing one means another program holds it.
zuzo::PortOpenError open_failure(DWORD error, const std::string& path)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return zuzo::PortOpenError::Missing;
    case ERROR_ACCESS_DENIED:
        return zuzo::classify_permission_error(path);
    case ERROR_SHARING_VIOLATION:
        return zuzo::PortOpenError::Busy;
    default:
        return zuzo::PortOpenError::Other;
    }
}

constexpr DWORD kQueueBytes = 4096;

long long elapsed_ms(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

} // namespace

struct SerialLink::Port {
    HANDLE handle = INVALID_HANDLE_VALUE;

    [[nodiscard]] bool open() const { return handle != INVALID_HANDLE_VALUE; }
    void close()
    {
        if (open())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    [[nodiscard]] bool apply_line_settings() const;
    // Sets the timeouts of the next reads and writes: a read returns what is
    // waiting at once (read_wait_ms 0), or ends when all it asked for has
    // come or after read_wait_ms; a write ends after write_ms at most.
    [[nodiscard]] bool set_timeouts(DWORD read_wait_ms, DWORD write_ms) const;
    // Reads what is waiting, waiting as set_timeouts said; the count read,
    // -1 when the port failed.
    [[nodiscard]] int read(char* buffer, int n) const;
    // Writes n bytes within write_ms; the count written, -1 when the port
    // failed.
    [[nodiscard]] int write(const char* data, int n, DWORD write_ms) const;
    // Received bytes waiting, -1 when the port failed.
    [[nodiscard]] int waiting() const;
};

bool SerialLink::Port::apply_line_settings() const
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb))
        return false;
    dcb.BaudRate = zuzo::kLinkBaud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    // No handshake of any kind: RTS low, no flow control in either direction.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(handle, &dcb) != 0;
}

bool SerialLink::Port::set_timeouts(DWORD read_wait_ms, DWORD write_ms) const
{
    COMMTIMEOUTS t{};
    // MAXDWORD alone: return at once with what is there. A constant alone:
    // a total timeout for the whole read.
    t.ReadIntervalTimeout = read_wait_ms == 0 ? MAXDWORD : 0;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = read_wait_ms;
    t.WriteTotalTimeoutMultiplier = 0;
    t.WriteTotalTimeoutConstant = write_ms;
    return SetCommTimeouts(handle, &t) != 0;
}

int SerialLink::Port::read(char* buffer, int n) const
{
    DWORD got = 0;
    if (!ReadFile(handle, buffer, static_cast<DWORD>(n), &got, nullptr))
        return -1;
    return static_cast<int>(got);
}

int SerialLink::Port::write(const char* data, int n, DWORD write_ms) const
{
    if (!set_timeouts(0, write_ms))
        return -1;
    DWORD sent = 0;
    if (!WriteFile(handle, data, static_cast<DWORD>(n), &sent, nullptr))
        return GetLastError() == ERROR_TIMEOUT ? static_cast<int>(sent) : -1;
    return static_cast<int>(sent);
}

int SerialLink::Port::waiting() const
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle, &errors, &status))
        return -1;
    return static_cast<int>(std::min<DWORD>(status.cbInQue, 0x7fffffff));
}

SerialLink::SerialLink(std::string virtual_port_folder)
    : port_(std::make_unique<Port>()), folder_(std::move(virtual_port_folder))
{
}

SerialLink::~SerialLink()
{
    close_link();
}

void SerialLink::release_lost_port()
{
    if (!lost_)
        qCDebug(lcLinkTrace) << "device lost, error" << GetLastError();
    lost_ = true;
    port_->close();
}

bool SerialLink::open_link(const QString& port_name)
{
    close_link();
    const std::string path = zuzo::resolve_port(port_name.toStdString(), folder_);
    open_error_ = zuzo::PortOpenError::Missing;
    if (path.empty())
        return false;
    const std::wstring wide = QString::fromStdString(path).toStdWString();
    port_->handle =
        CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!port_->open()) {
        open_error_ = open_failure(GetLastError(), path);
        return false;
    }
    if (!SetupComm(port_->handle, kQueueBytes, kQueueBytes) || !port_->apply_line_settings() ||
        !port_->set_timeouts(0, 0)) {
        open_error_ = zuzo::PortOpenError::SettingsRefused;
        port_->close();
        return false;
    }
    open_error_ = zuzo::PortOpenError::None;
    PurgeComm(port_->handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    lost_ = false;
    held_ = true;
    fine_timer_.hold();
    qCDebug(lcLinkTrace) << "opened" << port_name << "as" << path.c_str();
    return true;
}

void SerialLink::close_link()
{
    if (port_->open()) {
        port_->close();
        qCDebug(lcLinkTrace) << "closed";
    }
    lost_ = false;
    held_ = false;
    fine_timer_.release();
}

bool SerialLink::is_open() const
{
    return held_ && !lost_ && port_->open();
}

int SerialLink::input_available()
{
    if (!is_open())
        return 0;
    const int n = port_->waiting();
    if (n < 0)
        release_lost_port();
    return std::max(n, 0);
}

int SerialLink::read_bytes(char* buffer, int n)
{
    if (!is_open() || n <= 0)
        return 0;
    int got = -1;
    if (port_->set_timeouts(0, 0))
        got = port_->read(buffer, n);
    if (got < 0)
        release_lost_port();
    return std::max(got, 0);
}

int SerialLink::write_bytes(const char* data, int n)
{
    if (!is_open() || n <= 0)
        return 0;
    // 100 ms per byte plus 10 ms for the whole write.
    const int sent = port_->write(data, n, static_cast<DWORD>(100LL * n + 10));
    if (sent < 0) {
        release_lost_port();
        return 0;
    }
    if (sent < n)
        PurgeComm(port_->handle, PURGE_TXABORT | PURGE_TXCLEAR);
    return sent;
}

void SerialLink::flush_input()
{
    PurgeComm(port_->handle, PURGE_RXCLEAR);
}

bool SerialLink::take_input(std::string& reply)
{
    // One character waited for as the timeouts say, then what else is there.
    char buffer[256];
    int got = port_->read(buffer, 1);
    if (got > 0) {
        const int more = port_->set_timeouts(0, 0) ? port_->read(buffer + 1, sizeof buffer - 1) : -1;
        got = more < 0 ? -1 : got + more;
    }
    if (got < 0) {
        release_lost_port();
        return false;
    }
    return zuzo::take_reply_piece(reply, buffer, static_cast<std::size_t>(got));
}

zuzo::IoResult SerialLink::run_io(const std::string& frame)
{
    zuzo::IoResult result;
    const std::size_t expected = std::exchange(expected_reply_, 0);
    if (!is_open())
        return result;
    const Clock::time_point start = Clock::now();
    flush_input();
    qCDebug(lcLinkTrace).nospace() << "out " << QByteArray::fromStdString(frame);
    // The frame must be out within the limit, reply or not.
    const int size = static_cast<int>(frame.size());
    const int sent = port_->write(frame.data(), size, static_cast<DWORD>(zuzo::kExchangeLimitMs));
    if (sent < 0) {
        release_lost_port();
        return result;
    }
    if (sent < size) {
        PurgeComm(port_->handle, PURGE_TXABORT | PURGE_TXCLEAR);
        result.status = zuzo::IoStatus::Stalled;
        qCDebug(lcLinkTrace).nospace() << "stalled after " << elapsed_ms(start) << " ms";
        return result;
    }

    bool complete = false;
    bool slept = false; // once per exchange, after the reply's first characters
    while (!complete && !lost_) {
        const long long left = zuzo::kReplyWaitMs - elapsed_ms(start);
        if (left <= 0)
            break;
        if (!port_->set_timeouts(static_cast<DWORD>(left), 0)) {
            release_lost_port();
            break;
        }
        const std::size_t before = result.reply.size();
        complete = take_input(result.reply);
        if (complete || lost_)
            break;
        if (!slept && before == 0 && !result.reply.empty() && result.reply.size() < expected) {
            // The rest is on its way: sleep while it crosses the line, then
            // take what came (also when the sleep used up the time left).
            slept = true;
            const auto rest = zuzo::rest_of_reply(result.reply.size(), expected);
            const auto until_deadline =
                std::chrono::milliseconds(zuzo::kReplyWaitMs) - (Clock::now() - start);
            const auto pause =
                std::min<Clock::duration>(std::chrono::duration_cast<Clock::duration>(rest), until_deadline);
            if (pause > Clock::duration::zero())
                std::this_thread::sleep_for(pause);
        }
    }
    qCDebug(lcLinkTrace).nospace() << "in  " << QByteArray::fromStdString(result.reply) << " after "
                                   << elapsed_ms(start) << " ms" << (complete ? "" : " (incomplete)");
    return result;
}
