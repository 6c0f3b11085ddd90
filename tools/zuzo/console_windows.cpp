// Windows hands main() its arguments in the ANSI code page (1251 on a
// Russian system), which garbles or loses what it cannot hold; the wide
// command line has every character. Standard output in text mode would turn
// each LF into CR LF, so a table's CR LF would become CR CR LF: output goes
// out in binary mode through CrLfBuffer, which adds CR only where missing.
// The console's code page belongs to the console, not to the program: when
// Ctrl+C, Ctrl+Break or closing the window ends the program, a console
// control handler gives it back before the system ends the process.

#include "tools/zuzo/console_windows.h"
#include "tools/zuzo/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
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

// The console's code page before the program changed it; 0 when there is
// nothing to give back (no console, or given back already).
std::atomic<UINT> saved_code_page{0};

void give_code_page_back()
{
    const UINT page = saved_code_page.exchange(0);
    if (page != 0)
        SetConsoleOutputCP(page);
}

// Runs on a thread of its own when the console asks the program to end.
BOOL WINAPI on_console_end(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        std::fflush(stdout);
        std::fflush(stderr);
        give_code_page_back();
        break;
    default:
        break;
    }
    return FALSE; // the system's own handling follows: the program ends
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

Utf8Console::Utf8Console()
{
    // No console (output redirected, or none at all): nothing to tell or give back.
    const UINT page = GetConsoleOutputCP();
    if (page != 0 && SetConsoleOutputCP(CP_UTF8)) {
        saved_code_page = page;
        SetConsoleCtrlHandler(&on_console_end, TRUE);
    }
    write_unchanged(stdout);
    write_unchanged(stderr);
    out_ = std::make_unique<CrLfBuffer>(std::cout.rdbuf());
    err_ = std::make_unique<CrLfBuffer>(std::cerr.rdbuf());
    saved_out_ = std::cout.rdbuf(out_.get());
    saved_err_ = std::cerr.rdbuf(err_.get());
}

Utf8Console::~Utf8Console()
{
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(saved_out_);
    std::cerr.rdbuf(saved_err_);
    std::fflush(stdout);
    std::fflush(stderr);
    give_code_page_back();
    SetConsoleCtrlHandler(&on_console_end, FALSE);
}

} // namespace zuzo::cli
