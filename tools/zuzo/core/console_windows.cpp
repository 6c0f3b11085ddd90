// Windows hands main() its arguments in the ANSI code page (1251 on a
// Russian system), which garbles or loses what it cannot hold; the wide
// command line has every character. Standard output (through the checked
// StandardOutput) and error (through HandleBuffer) are written by a
// HandleWriter, past the C library: a console gets whole lines as UTF-16,
// so a Cyrillic letter never reaches it in two halves (one byte at a time
// through the C library, each half became a U+FFFD), and its code page does
// not matter; a file or pipe gets UTF-8, each line ended in CR LF by
// CrLfBuffer, which adds CR only where missing (a table's CR LF stays).

#include "tools/zuzo/core/console_windows.h"
#include "tools/zuzo/core/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <iostream>

namespace zuzo::cli {
namespace {

std::string utf8_from_wide(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back(); // the terminating zero
    return out;
}

} // namespace

CrLfBuffer::int_type CrLfBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

std::streamsize CrLfBuffer::xsputn(const char* text, std::streamsize size)
{
    std::streamsize done = 0;
    while (done < size) {
        std::streamsize run = done;
        while (run < size && text[run] != '\n')
            ++run;
        if (run > done) { // the text up to the next line feed
            if (to_->sputn(text + done, run - done) != run - done)
                return done;
            last_ = text[run - 1];
            done = run;
        }
        if (done == size)
            break;
        if (last_ != '\r' && traits_type::eq_int_type(to_->sputc('\r'), traits_type::eof()))
            return done;
        if (traits_type::eq_int_type(to_->sputc('\n'), traits_type::eof()))
            return done;
        last_ = '\n';
        ++done;
    }
    return done;
}

int CrLfBuffer::sync()
{
    return to_->pubsync();
}

std::vector<std::string> words_from_command_line(const wchar_t* line)
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(line, &count);
    if (words == nullptr)
        return {};
    std::vector<std::string> out;
    for (int k = 1; k < count; ++k)
        out.push_back(utf8_from_wide(words[k]));
    LocalFree(words);
    return out;
}

std::vector<std::string> command_line_words(int /*argc*/, char** /*argv*/)
{
    return words_from_command_line(GetCommandLineW());
}

void write_unchanged(std::FILE* stream)
{
    std::fflush(stream);
    (void)_setmode(_fileno(stream), _O_BINARY);
}

// --- HandleBuffer ------------------------------------------------------------

namespace {

// A longest line kept back for its line end; longer text goes out in whole
// characters.
constexpr std::size_t kLongestLine = 64 * 1024;
// WriteConsoleW is given at most this many UTF-16 units at once.
constexpr std::size_t kConsoleChunk = 8 * 1024;

bool write_console(HANDLE console, const std::wstring& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        std::size_t size = std::min(kConsoleChunk, text.size() - done);
        // A surrogate pair stays in one call.
        if (size > 1 && done + size < text.size() && IS_HIGH_SURROGATE(text[done + size - 1]))
            --size;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, static_cast<DWORD>(size), &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

// Every byte, or the system's error (a write that takes nothing counts as a
// full disk).
std::error_code write_file(HANDLE file, const char* data, std::size_t size)
{
    while (size > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return {static_cast<int>(GetLastError()), std::system_category()};
        if (written == 0)
            return {ERROR_DISK_FULL, std::system_category()};
        data += written;
        size -= written;
    }
    return {};
}

std::wstring wide_from_utf8(const char* text, std::size_t size)
{
    if (size == 0)
        return {};
    const int length = static_cast<int>(size);
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(wide, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, length, out.data(), wide);
    return out;
}

} // namespace

std::size_t whole_characters(std::string_view text)
{
    // The last character's lead byte is at most three bytes from the end.
    for (std::size_t back = 1; back <= 4 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size(); // no lead byte: not UTF-8, passed on as it is
}

HandleWriter::HandleWriter(void* handle) : handle_(handle)
{
    DWORD mode = 0;
    console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
}

std::error_code HandleWriter::write(const char* text, std::size_t size)
{
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE)
        return {ERROR_INVALID_HANDLE, std::system_category()};
    if (!console_)
        return write_file(handle_, text, size);
    carried_.append(text, size);
    const std::size_t whole = whole_characters(carried_);
    const bool written = write_console(handle_, wide_from_utf8(carried_.data(), whole));
    carried_.erase(0, whole);
    if (written)
        return {};
    const DWORD error = GetLastError();
    return {static_cast<int>(error != 0 ? error : ERROR_WRITE_FAULT), std::system_category()};
}

HandleBuffer::HandleBuffer(void* handle) : writer_(handle) {}

HandleBuffer::~HandleBuffer()
{
    // The end of the program: whatever is left goes out as it is.
    (void)write_out(pending_.size());
}

HandleBuffer::int_type HandleBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

std::streamsize HandleBuffer::xsputn(const char* text, std::streamsize size)
{
    if (failed_)
        return 0;
    pending_.append(text, static_cast<std::size_t>(size));
    const std::size_t line_end = pending_.rfind('\n');
    bool written = true;
    if (line_end != std::string::npos)
        written = write_out(line_end + 1);
    else if (pending_.size() > kLongestLine)
        written = write_out(whole_characters(pending_));
    return written ? size : 0;
}

int HandleBuffer::sync()
{
    return !failed_ && write_out(whole_characters(pending_)) ? 0 : -1;
}

bool HandleBuffer::write_out(std::size_t size)
{
    if (failed_ || size == 0)
        return !failed_;
    failed_ = static_cast<bool>(writer_.write(pending_.data(), size));
    pending_.erase(0, size);
    return !failed_;
}

// --- Utf8Console -------------------------------------------------------------

Utf8Console::Utf8Console()
{
    // Whole lines: std::cerr is not flushed after every piece written.
    saved_err_flags_ = std::cerr.flags();
    std::cerr.unsetf(std::ios::unitbuf);
    // Standard output is already checked (StandardOutput, which writes it
    // through a HandleWriter): here it only gets its line ends.
    err_handle_ = std::make_unique<HandleBuffer>(GetStdHandle(STD_ERROR_HANDLE));
    out_ = std::make_unique<CrLfBuffer>(std::cout.rdbuf());
    err_ = std::make_unique<CrLfBuffer>(err_handle_.get());
    saved_out_ = std::cout.rdbuf(out_.get());
    saved_err_ = std::cerr.rdbuf(err_.get());
}

Utf8Console::~Utf8Console()
{
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(saved_out_);
    std::cerr.rdbuf(saved_err_);
    std::cerr.flags(saved_err_flags_);
    out_.reset();
    err_.reset();
    err_handle_.reset();
}

} // namespace zuzo::cli
