#pragma once
// The optics of a program put into an existing program file content: only
// the 80 bytes of its optics block change, every other byte (plan, texts in
// whatever encoding, line ends, a sound_off byte other than 0 or 1, bytes
// after the block) stays as it was.

#include "program/core/device_program.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zuzo {

enum class OpticsPatch {
    Done,
    NotProgramFile, // the first line is not that of a program file
    CutShort,       // the content ends before the end of its optics block
};

// out is the content with the optics block replaced by that of program;
// untouched unless Done.
[[nodiscard]] OpticsPatch patch_ptm_optics(std::span<const std::uint8_t> bytes, const DeviceProgram& program,
                                           std::vector<std::uint8_t>& out);

// Whether a content could take optics that way (the same checks, nothing
// made).
[[nodiscard]] OpticsPatch ptm_optics_patchable(std::span<const std::uint8_t> bytes);

// What a program file content that ends before the end of its optics block
// lacks, in words: "файл программы обрывается раньше конца настроек оптики
// (451 байт): не хватает 12 из 80 байт настроек оптики". Empty for a
// content that holds them all, or that is no program file.
[[nodiscard]] std::string ptm_cut_short_words(std::span<const std::uint8_t> bytes);

} // namespace zuzo
