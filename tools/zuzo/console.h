#pragma once
// The companion program's edges to the system: its command line and its
// standard output and error. The program works in UTF-8 throughout (texts,
// file names). On Windows the command line is taken wide and turned into
// UTF-8, the console is told that output is UTF-8, and output goes out byte
// for byte (a table's CR LF stays CR LF). Elsewhere all of this is as it
// comes (console_posix.cpp, console_windows.cpp).

#include <cstdio>
#include <string>
#include <vector>

namespace zuzo::cli {

// The words after the program name, as UTF-8.
[[nodiscard]] std::vector<std::string> command_line_words(int argc, char** argv);

// Output to stream goes out as written, with no line end translated.
void write_unchanged(std::FILE* stream);

// While it lives the console shows UTF-8 and standard output and error go
// out unchanged; the console's code page is given back at the end.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    [[maybe_unused]] unsigned saved_code_page_ = 0; // Windows: 0 when nothing to give back
};

} // namespace zuzo::cli
