#pragma once
// Windows only: what command_line_words and Utf8Console do, in pieces the
// tests reach.

#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
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

// Writes UTF-8 bytes to a Windows handle: a console gets them as UTF-16
// through WriteConsoleW, which shows them whatever the console's code page,
// in whole characters only (a character cut off at the end of one write goes
// out with the next); a file or pipe gets the bytes as given. Returns the
// system's error of a failed write.
class HandleWriter {
public:
    explicit HandleWriter(void* handle);
    [[nodiscard]] std::error_code write(const char* text, std::size_t size);

private:
    void* handle_;
    bool console_;
    std::string carried_; // the start of a character, for the console
};

// Writes UTF-8 text to a Windows handle (HandleWriter) in whole lines: each line as soon as
// it is complete, the rest of a line when flushed or at the end, and never a
// part of a character (the console would show each part as a character of
// its own). A console gets the text as UTF-16 through WriteConsoleW, which
// shows it whatever the console's code page; a file or pipe gets the UTF-8
// bytes as given. A failed write fails the stream.
class HandleBuffer : public std::streambuf {
public:
    explicit HandleBuffer(void* handle);
    ~HandleBuffer() override;
    HandleBuffer(const HandleBuffer&) = delete;
    HandleBuffer& operator=(const HandleBuffer&) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int sync() override;

private:
    // Writes the first size bytes of pending_ and drops them.
    [[nodiscard]] bool write_out(std::size_t size);

    HandleWriter writer_;
    bool failed_ = false;
    std::string pending_;
};

// The length of the longest start of text that ends between two characters
// of UTF-8 (a character cut off at the end is left out).
[[nodiscard]] std::size_t whole_characters(std::string_view text);

} // namespace zuzo::cli
