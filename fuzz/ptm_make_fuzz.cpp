// "zuzo ptm make" on any text: no crash, no undefined behaviour; a refusal
// says why on one line; whatever is made reads back as exactly the program
// taken, and that program's dump made again gives the same file.

#include "fuzz/fuzz_check.h"
#include "program/core/ptm_format.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"
#include "tools/zuzo/json/ptm_make.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo;
    const PtmMakeResult made = make_ptm(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!made.made) {
        FUZZ_CHECK(!made.error.empty());
        FUZZ_CHECK(made.error.find('\n') == std::string::npos);
        FUZZ_CHECK(made.bytes.empty());
        return 0;
    }
    DeviceProgram back;
    FUZZ_CHECK(read_ptm(made.bytes, back) == PtmReadResult::Loaded);
    FUZZ_CHECK(back == made.program);

    const PtmMakeResult again = make_ptm(json::write(program_to_json(back)));
    FUZZ_CHECK(again.made);
    FUZZ_CHECK(again.program == back);
    FUZZ_CHECK(again.bytes == made.bytes);
    return 0;
}
