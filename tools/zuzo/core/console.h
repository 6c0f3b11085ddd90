#pragma once
// The companion program's edges to the system: its command line and its
// standard output and error. The program works in UTF-8 throughout (texts,
// file names). On Windows the command line is taken wide and turned into
// UTF-8; output goes out in whole lines, to a console as UTF-16 (so it reads
// right whatever the console's code page), to a file or pipe as UTF-8 with
// every line ending in CR LF, as Windows programs' text does (a table's CR LF
// stays CR LF). Elsewhere all of this is as it comes (console_posix.cpp,
// console_windows.cpp).

#include <cstdio>
#include <ios>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace zuzo::cli {

// The words after the program name, as UTF-8.
[[nodiscard]] std::vector<std::string> command_line_words(int argc, char** argv);

// Output to stream goes out as written, with no line end translated.
void write_unchanged(std::FILE* stream);

// While it lives, std::cout and std::cerr write as described above on
// Windows; what is left is written when it ends.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    // Windows: the buffers std::cout and std::cerr write through (line ends,
    // then, for std::cerr, the handle), and theirs before, given back at the
    // end.
    [[maybe_unused]] std::unique_ptr<std::streambuf> err_handle_;
    [[maybe_unused]] std::unique_ptr<std::streambuf> out_;
    [[maybe_unused]] std::unique_ptr<std::streambuf> err_;
    [[maybe_unused]] std::streambuf* saved_out_ = nullptr;
    [[maybe_unused]] std::streambuf* saved_err_ = nullptr;
    [[maybe_unused]] std::ios::fmtflags saved_err_flags_{};
};

} // namespace zuzo::cli
