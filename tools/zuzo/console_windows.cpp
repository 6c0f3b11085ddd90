// Windows hands main() its arguments in the ANSI code page (1251 on a
// Russian system), which garbles or loses what it cannot hold; the wide
// command line has every character. Standard output in text mode would turn
// each LF into CR LF, so a table's CR LF would become CR CR LF.

#include "tools/zuzo/console_windows.h"
#include "tools/zuzo/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

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

Utf8Console::Utf8Console() : saved_code_page_(GetConsoleOutputCP())
{
    // No console (output redirected, or none at all): nothing to tell or give back.
    if (saved_code_page_ != 0 && !SetConsoleOutputCP(CP_UTF8))
        saved_code_page_ = 0;
    write_unchanged(stdout);
    write_unchanged(stderr);
}

Utf8Console::~Utf8Console()
{
    std::fflush(stdout);
    std::fflush(stderr);
    if (saved_code_page_ != 0)
        SetConsoleOutputCP(saved_code_page_);
}

} // namespace zuzo::cli
