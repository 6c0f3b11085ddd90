#include "program/core/ptm_optics_patch.h"

#include "program/core/ptm_format.h"

#include <algorithm>
#include <optional>

namespace zuzo {

OpticsPatch ptm_optics_patchable(std::span<const std::uint8_t> bytes)
{
    const std::optional<std::size_t> at = ptm_optics_offset(bytes);
    if (!at)
        return OpticsPatch::NotProgramFile;
    if (bytes.size() < *at + kPtmOpticsBlockSize)
        return OpticsPatch::CutShort;
    return OpticsPatch::Done;
}

std::string ptm_cut_short_words(std::span<const std::uint8_t> bytes)
{
    if (ptm_optics_patchable(bytes) != OpticsPatch::CutShort)
        return {};
    const std::size_t end = *ptm_optics_offset(bytes) + kPtmOpticsBlockSize;
    const std::size_t missing = std::min(end - bytes.size(), kPtmOpticsBlockSize);
    return "файл программы обрывается раньше конца настроек оптики (" + std::to_string(bytes.size()) +
           " байт): не хватает " +
           (missing == kPtmOpticsBlockSize ? std::string("всех ") : std::to_string(missing) + " из ") +
           std::to_string(kPtmOpticsBlockSize) + " байт настроек оптики";
}

OpticsPatch patch_ptm_optics(std::span<const std::uint8_t> bytes, const DeviceProgram& program,
                             std::vector<std::uint8_t>& out)
{
    const OpticsPatch can = ptm_optics_patchable(bytes);
    if (can != OpticsPatch::Done)
        return can;
    const std::size_t at = *ptm_optics_offset(bytes);
    // The optics block is the last part of what the writer makes.
    const std::vector<std::uint8_t> written = write_ptm(program);
    std::vector<std::uint8_t> patched(bytes.begin(), bytes.end());
    std::copy(written.end() - static_cast<std::ptrdiff_t>(kPtmOpticsBlockSize), written.end(),
              patched.begin() + static_cast<std::ptrdiff_t>(at));
    out = std::move(patched);
    return OpticsPatch::Done;
}

} // namespace zuzo
