// The optics put into an existing program file: only the optics block
// changes, wherever the reader finds it.

#include "program/core/ptm_format.h"
#include "program/core/ptm_optics_patch.h"
#include "support/sample_programs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace zuzo;
using Bytes = std::vector<std::uint8_t>;

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes optics_block(const DeviceProgram& p)
{
    const Bytes all = write_ptm(p);
    return Bytes(all.end() - 80, all.end());
}

// A file up to its optics block with the given line end and weekday and
// sound_off bytes.
Bytes front(const std::string& end, const std::string& weekday = "Monday", std::uint8_t sound_off = 0)
{
    Bytes plan(336, 0);
    plan[5] = 7;
    return text("wersia 3.01 unic" + end + weekday + end) + plan + text("Signal" + end + "10" + end) +
           Bytes{sound_off};
}

} // namespace

TEST(PtmOpticsPatch, OnlyTheOpticsBlockChanges)
{
    const DeviceProgram device = distinct_optics();
    const Bytes old_optics = optics_block(DeviceProgram{});
    const Bytes tail = text("trailing \x01\x02");
    const struct {
        const char* fault; // what a rewrite of the whole file would do
        Bytes before;      // up to the optics block
        Bytes after;       // after it
    } rows[] = {
        {"LF line ends become CR LF", front("\n"), {}},
        {"a lone CR (the next byte unread) is taken for CR LF", front("\r"), {}},
        {"a NUL line end becomes CR LF", front(std::string(1, '\0')), {}},
        {"sound_off 05 becomes 01", front("\r\n", "Monday", 5), {}},
        {"a weekday line that names no weekday is replaced by the combo's", front("\r\n", "\x98\xCF"), {}},
        {"bytes after the optics are dropped", front("\r\n"), tail},
    };
    for (const auto& row : rows) {
        const Bytes file = row.before + old_optics + row.after;
        Bytes out{'x'};
        ASSERT_EQ(patch_ptm_optics(file, device, out), OpticsPatch::Done) << row.fault;
        EXPECT_EQ(out, row.before + optics_block(device) + row.after) << row.fault;
        DeviceProgram back;
        ASSERT_EQ(read_ptm(out, back), PtmReadResult::Loaded);
        EXPECT_EQ(optics_block(back), optics_block(device)) << row.fault;
    }
}

TEST(PtmOpticsPatch, RefusesWhatCannotBeKept)
{
    const Bytes whole = front("\r\n") + optics_block(DeviceProgram{});
    const struct {
        const char* fault; // what taking the file would do
        Bytes file;
        OpticsPatch says;
    } rows[] = {
        {"an empty file becomes a program", {}, OpticsPatch::NotProgramFile},
        {"another format is overwritten", text("wersia 3.01 UNIC\r\n") + Bytes(500, 1),
         OpticsPatch::NotProgramFile},
        {"a file cut inside the optics is lengthened", Bytes(whole.begin(), whole.end() - 1),
         OpticsPatch::CutShort},
        {"a file cut inside the plan gets a plan of zeros", Bytes(whole.begin(), whole.begin() + 100),
         OpticsPatch::CutShort},
        {"a header alone becomes a program", text("wersia 3.01 unic"), OpticsPatch::CutShort},
    };
    for (const auto& row : rows) {
        Bytes out{'x'};
        EXPECT_EQ(patch_ptm_optics(row.file, distinct_optics(), out), row.says) << row.fault;
        EXPECT_EQ(ptm_optics_patchable(row.file), row.says) << row.fault;
        EXPECT_EQ(out, Bytes{'x'}) << row.fault;
    }
}
