// The program file reader on any bytes: no crash, no undefined behaviour, and
// what it loads is stable under the writer (read, write, read gives the same
// program; writing that program again gives the same bytes). A refused file
// leaves the program untouched. Any bytes read as Windows-1251 text write
// back as themselves, so no text line of a file changes when it is saved.

#include "fuzz/fuzz_check.h"
#include "program/core/cp1251.h"
#include "program/core/ptm_format.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(utf8_to_cp1251(cp1251_to_utf8(text)) == text);

    DeviceProgram loaded;
    loaded.weekday_name = "sentinel";
    const DeviceProgram before = loaded;
    const PtmReadResult r = read_ptm(bytes, loaded);
    if (r == PtmReadResult::BadHeader) {
        FUZZ_CHECK(loaded == before);
        return 0;
    }

    const auto written = write_ptm(loaded);
    DeviceProgram again;
    FUZZ_CHECK(read_ptm(written, again) == PtmReadResult::Loaded);
    FUZZ_CHECK(again == loaded);
    FUZZ_CHECK(write_ptm(again) == written);
    return 0;
}
