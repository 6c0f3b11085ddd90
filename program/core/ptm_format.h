#pragma once
// The program file (.ptm): writer and reader of its byte layout.

#include "program/core/device_program.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo {

// The first line of every program file, compared byte by byte.
inline constexpr std::string_view kPtmHeader = "wersia 3.01 unic";

// Size of the plan block: 7 days x 12 intervals x 4 bytes.
inline constexpr std::size_t kPtmPlanBlockSize = 336;

// Size of the optics block: 20 little-endian 32-bit integers.
inline constexpr std::size_t kPtmOpticsBlockSize = 80;

// The most a program file is read or written with: a program file holds a
// few hundred bytes (463 as the tool makes it new), the rest are its texts.
inline constexpr std::size_t kPtmFileLimit = std::size_t{64} * 1024;

enum class PtmReadResult { Loaded, BadHeader };

// The whole file content for a program. Text fields are taken from the
// model's UTF-8 text and written as Windows-1251 lines ending in CR LF; plan
// values as their low 8 bits; sound_off as its low 8 bits.
[[nodiscard]] std::vector<std::uint8_t> write_ptm(const DeviceProgram& program);

// Reads a file content into out. On BadHeader out is left untouched. After
// the header nothing is checked: bytes past the end read as 0 and lines past
// the end as empty. The weekday and sound type lines are kept in out as they
// stand in the file (converted to UTF-8), whether or not they name an item.
[[nodiscard]] PtmReadResult read_ptm(std::span<const std::uint8_t> bytes, DeviceProgram& out);

// The fields that a program file holds only in part.
enum class PtmField {
    WeekdayName,
    SoundType,
    FastPulseTime,
    SoundOff,
    PlanEnabled,
    PlanHour,
    PlanMinute,
    PlanVolume
};

struct PtmFieldFault {
    PtmField field = PtmField::WeekdayName;
    int day = 0;         // plan tables: 1..7
    int interval = 0;    // plan tables: 1..12
    std::string problem; // in Russian (UTF-8)
};

// The first field that a program file cannot hold as given, so that reading
// the written file would give another program: a text with a character
// that ends a line (CR, LF, NUL) or that Windows-1251 has no byte for; sound_off other than 0 or 1; a plan
// value outside -128..127 (one signed byte). Nothing when the file gives it all back.
[[nodiscard]] std::optional<PtmFieldFault> ptm_unwritable_field(const DeviceProgram& program);

// The plan block of a program: for day 1..7 and interval 1..12, the low 8
// bits of enabled, hour, minute and volume.
[[nodiscard]] std::vector<std::uint8_t> ptm_plan_block(const DeviceProgram& program);

// The file content with its plan block (336 bytes after the weekday line)
// replaced by that of the program; every other byte stays as it was. A
// content that ends inside the block gets the whole block; a header or
// weekday line that ends the content without its line break gets CR LF
// first, so the block cannot join that line. Nothing (and no change) when
// the header is wrong.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> replace_ptm_plan(std::span<const std::uint8_t> bytes,
                                                                        const DeviceProgram& program);

// Where the optics block of a file content starts, as the reader finds it:
// after the header, the weekday line, the plan block, the sound type and
// fast pulse lines and the sound_off byte. Nothing when the header is wrong;
// a content that ends before that point gives its own size.
[[nodiscard]] std::optional<std::size_t> ptm_optics_offset(std::span<const std::uint8_t> bytes);

} // namespace zuzo
