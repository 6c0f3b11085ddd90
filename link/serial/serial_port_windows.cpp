// The serial port on Windows' own communications calls: CreateFile,
// SetupComm, SetCommState, SetCommTimeouts, PurgeComm, ReadFile and WriteFile
// on a port opened for synchronous use. A read waits for its first character
// with a ReadFile of one character whose total time-out ends at the
// deadline, then takes what else is waiting at once; a write is a WriteFile
// whose total time-out ends at the deadline, and what it did not take is
// held by the port and handed over again by finish_write, never purged from
// the system's queue. No WaitCommEvent (Wine cannot
// serve it on a pseudo-terminal), no thread, no polling. A call on the port
// that fails means the device went away.

#include "link/core/serial_port.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace zuzo {
namespace {

// Why CreateFile refused a port: a port is opened without sharing, so a
// denied access to an existing one means another program holds it.
PortOpenError open_failure(DWORD error, const std::string& path)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return PortOpenError::Missing;
    case ERROR_ACCESS_DENIED:
        return classify_permission_error(path);
    case ERROR_SHARING_VIOLATION:
        return PortOpenError::Busy;
    default:
        return PortOpenError::Other;
    }
}

constexpr DWORD kQueueBytes = 4096;

// The milliseconds of a wait that ends at deadline (link_clock.h).
DWORD wait_ms(LinkTime deadline)
{
    return static_cast<DWORD>(ms_until(deadline, std::chrono::steady_clock::now()));
}

std::wstring wide(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

class WindowsSerialPort final : public SerialPort {
public:
    WindowsSerialPort() = default;
    ~WindowsSerialPort() override { close(); }
    WindowsSerialPort(const WindowsSerialPort&) = delete;
    WindowsSerialPort& operator=(const WindowsSerialPort&) = delete;

    PortOpenError open(const std::string& path) override
    {
        close();
        handle_ = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
        if (!is_open())
            return open_failure(GetLastError(), path);
        if (!SetupComm(handle_, kQueueBytes, kQueueBytes) || !apply_line_settings() || !set_timeouts(0, 0)) {
            close();
            return PortOpenError::SettingsRefused;
        }
        PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        return PortOpenError::None;
    }

    void close() override
    {
        if (is_open())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        unsent_.clear();
    }

    bool is_open() const override { return handle_ != INVALID_HANDLE_VALUE; }

    PortIo write(const char* data, std::size_t n, LinkTime deadline) override
    {
        if (!is_open())
            return {0, true};
        unsent_.assign(data, n);
        return write_unsent(deadline);
    }

    PortIo finish_write(LinkTime deadline) override
    {
        if (!is_open())
            return {0, true};
        return unsent_.empty() ? PortIo{} : write_unsent(deadline);
    }

    // A write whose time-out ended took only what it reported; the rest is
    // held here, not in the system, so dropping it drops nothing else.
    void drop_output() override { unsent_.clear(); }

    PortIo read(char* buffer, std::size_t n, LinkTime deadline) override
    {
        if (!is_open())
            return {0, true};
        if (n == 0)
            return {};
        // The first character waited for until the deadline, then what else
        // is there, without waiting.
        const DWORD wait_for = wait_ms(deadline);
        DWORD got = 0;
        if (wait_for > 0) {
            if (!set_timeouts(wait_for, 0) || !ReadFile(handle_, buffer, 1, &got, nullptr))
                return lost();
            if (got == 0)
                return {};
        }
        DWORD more = 0;
        if (!set_timeouts(0, 0) ||
            !ReadFile(handle_, buffer + got, static_cast<DWORD>(n - got), &more, nullptr))
            return lost();
        return {static_cast<std::size_t>(got) + more, false};
    }

    void discard_input() override
    {
        if (is_open())
            PurgeComm(handle_, PURGE_RXCLEAR);
    }

private:
    [[nodiscard]] bool apply_line_settings() const
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(handle_, &dcb))
            return false;
        dcb.BaudRate = kLinkBaud;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        // No handshake of any kind: RTS low, no flow control either way.
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        return SetCommState(handle_, &dcb) != 0;
    }

    // Hands what is held back to the system until deadline; what it took
    // leaves the hold. Nothing is purged: what the system holds from before
    // goes out as it would.
    PortIo write_unsent(LinkTime deadline)
    {
        // A total time-out of 0 would mean none at all: 1 ms is the least.
        if (!set_timeouts(0, std::max<DWORD>(wait_ms(deadline), 1)))
            return lost();
        DWORD sent = 0;
        if (!WriteFile(handle_, unsent_.data(), static_cast<DWORD>(unsent_.size()), &sent, nullptr) &&
            GetLastError() != ERROR_TIMEOUT)
            return lost();
        unsent_.erase(0, sent);
        return {sent, false};
    }

    // The time-outs of the next calls: a read returns what is waiting at
    // once (read_wait_ms 0), or ends when all it asked for has come or after
    // read_wait_ms; a write ends after write_ms at most.
    [[nodiscard]] bool set_timeouts(DWORD read_wait_ms, DWORD write_ms) const
    {
        COMMTIMEOUTS t{};
        // MAXDWORD alone: return at once with what is there. A constant
        // alone: a total time-out for the whole read.
        t.ReadIntervalTimeout = read_wait_ms == 0 ? MAXDWORD : 0;
        t.ReadTotalTimeoutMultiplier = 0;
        t.ReadTotalTimeoutConstant = read_wait_ms;
        t.WriteTotalTimeoutMultiplier = 0;
        t.WriteTotalTimeoutConstant = write_ms;
        return SetCommTimeouts(handle_, &t) != 0;
    }

    PortIo lost()
    {
        close();
        return {0, true};
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string unsent_; // of the last write: what the system has not taken yet
};

} // namespace

std::unique_ptr<SerialPort> make_system_port()
{
    return std::make_unique<WindowsSerialPort>();
}

} // namespace zuzo
