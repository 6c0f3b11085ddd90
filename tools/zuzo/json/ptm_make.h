#pragma once
// "zuzo ptm make" without its files: the JSON text of a program to the
// content of its program file, or the reason it is refused.

#include "program/core/device_program.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo {

struct PtmMakeResult {
    bool made = false;
    DeviceProgram program;           // the program taken (keys left out keep the new program's values)
    std::vector<std::uint8_t> bytes; // the file content when made
    std::string error;               // in Russian, on one line, when refused
};

// Refuses malformed JSON (with line and column), what is not a program, a
// program that the file cannot hold as given, and optics that would not
// reach the device exactly (naming the field), so that whatever is made
// reads back as exactly the program taken and writes into a device as it is.
[[nodiscard]] PtmMakeResult make_ptm(std::string_view json_text);

} // namespace zuzo
