// Standard output on Windows: the standard output handle through a
// HandleWriter (a console gets UTF-16 in whole characters, a file or pipe the
// bytes), every byte or the system's error. A pipe whose reader has gone
// fails the write (ERROR_NO_DATA); no signal ends the program there.

#include "tools/zuzo/core/console_windows.h"
#include "tools/zuzo/core/standard_output.h"

#include <windows.h>

namespace zuzo::cli {

void keep_failed_writes_from_ending_the_program() {}

std::error_code write_standard_output(const char* bytes, std::size_t size)
{
    static HandleWriter out(GetStdHandle(STD_OUTPUT_HANDLE));
    return out.write(bytes, size);
}

} // namespace zuzo::cli
