#pragma once
// The companion's standard output, checked: std::cout writes through a
// buffer that hands its text to the system itself and keeps the system's
// error of the first write that failed (a full disk, an I/O error, a file
// size limit), so that nothing is called done that was not written. A
// write into a pipe whose reader has closed its end, or past the file size
// limit, returns an error instead of ending the program. The system's write
// is in standard_output_posix.cpp and standard_output_windows.cpp.

#include <memory>
#include <streambuf>
#include <system_error>

namespace zuzo::cli {

class StandardOutput {
public:
    StandardOutput();
    ~StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // Writes what is still buffered; the error of the first write that
    // failed, empty when everything arrived. After a failure the rest of the
    // output is dropped.
    [[nodiscard]] std::error_code finish();

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
    std::streambuf* saved_ = nullptr;
};

// The system's part: lets failed writes return their error instead of a
// signal ending the program, and writes bytes to standard output.
void keep_failed_writes_from_ending_the_program();
[[nodiscard]] std::error_code write_standard_output(const char* bytes, std::size_t size);

} // namespace zuzo::cli
