#pragma once
// The companion program's edges to the system: its command line and its
// standard output and error. The program works in UTF-8 throughout (texts,
// file names). On Windows the command line is taken wide and turned into
// UTF-8, the console is told that output is UTF-8 (and given its code page
// back however the program ends), and every line of output ends in CR LF,
// as Windows programs' text does (a table's CR LF stays CR LF). Elsewhere all
// of this is as it comes (console_posix.cpp, console_windows.cpp).

#include <cstdio>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace zuzo::cli {

// The words after the program name, as UTF-8.
[[nodiscard]] std::vector<std::string> command_line_words(int argc, char** argv);

// Output to stream goes out as written, with no line end translated.
void write_unchanged(std::FILE* stream);

// While it lives the console shows UTF-8 and std::cout and std::cerr end
// their lines in CR LF on Windows; the console's code page is given back at
// the end, and also when Ctrl+C, Ctrl+Break or closing the console window
// ends the program.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    // Windows: the buffers std::cout and std::cerr write through, and theirs
    // before, given back at the end.
    [[maybe_unused]] std::unique_ptr<std::streambuf> out_;
    [[maybe_unused]] std::unique_ptr<std::streambuf> err_;
    [[maybe_unused]] std::streambuf* saved_out_ = nullptr;
    [[maybe_unused]] std::streambuf* saved_err_ = nullptr;
};

} // namespace zuzo::cli
