// Standard output on Windows: the standard output handle, every byte or
// GetLastError. A pipe whose reader has gone fails the write
// (ERROR_NO_DATA); no signal ends the program there.

#include "tools/zuzo/standard_output.h"

#include <windows.h>

#include <algorithm>

namespace zuzo::cli {

void keep_failed_writes_from_ending_the_program() {}

std::error_code write_standard_output(const char* bytes, std::size_t size)
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return {ERROR_INVALID_HANDLE, std::system_category()};
    while (size > 0) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(out, bytes, piece, &written, nullptr))
            return {static_cast<int>(GetLastError()), std::system_category()};
        if (written == 0)
            return {ERROR_DISK_FULL, std::system_category()};
        bytes += written;
        size -= written;
    }
    return {};
}

} // namespace zuzo::cli
