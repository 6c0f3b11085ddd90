#pragma once
// Windows only: what command_line_words and Utf8Console do, in pieces the
// tests reach.

#include <streambuf>
#include <string>
#include <vector>

namespace zuzo::cli {

// The words of a command line as Windows splits it, after the program name,
// as UTF-8.
[[nodiscard]] std::vector<std::string> words_from_command_line(const wchar_t* line);

// Passes text on to another buffer with each line ending in CR LF: a line
// feed not already after a carriage return gets one, even when the two come
// in separate writes.
class CrLfBuffer : public std::streambuf {
public:
    explicit CrLfBuffer(std::streambuf* to) : to_(to) {}

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int sync() override;

private:
    std::streambuf* to_;
    char last_ = '\0'; // the last character passed on
};

} // namespace zuzo::cli
