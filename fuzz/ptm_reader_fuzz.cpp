// The program file reader on any bytes: no crash, no undefined behaviour, and
// what it loads is stable under the writer (read, write, read gives the same
// program; writing that program again gives the same bytes). A refused file
// leaves the program untouched.

#include "fuzz/fuzz_check.h"
#include "program/ptm_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo;
    const std::span<const std::uint8_t> bytes(data, size);

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
