#include "robustness/fault_matrix.h"

#include <cctype>

namespace robustness {
namespace {

// Frame counts: a read takes three commands, a write two, a status check one
// (supervision runs two ticks); every companion command first asks the
// status twice, to identify the device and read its clock, and the
// companion's write reads the optics before it writes and, when it did not
// finish after a write frame went out, reads them back. A command that
// keeps failing is sent 8 times. "silence-after=N" answers the first N
// frames only; "vanish=N" answers N frames and closes the line on the next,
// which then fails once and finds the link broken.
std::vector<Cell> make_cells()
{
    using O = Op;
    using R = Outcome;
    using H = zuzo::cli::DeviceHolds;
    std::vector<Cell> c;
    const auto add = [&c](const char* fault, O op, R outcome, int frames, int done = 0) {
        c.push_back({fault, op, outcome, frames, done});
    };
    // A companion write that did not finish once a write frame had gone out:
    // what it says the device holds, read back (or not).
    const auto write = [&c](const char* fault, R outcome, int frames, int done, H holds, bool read_back) {
        c.push_back({fault, O::CliWrite, outcome, frames, done, {holds, read_back}});
    };
    // Nothing comes back, or nothing usable: the attempt limit ends it.
    for (const char* fault : {"silence", "garbage", "of"}) {
        add(fault, O::Connect, R::GivesUp, 8);
        add(fault, O::Supervision, R::GivesUp, 16);
        add(fault, O::ProgramRead, R::GivesUp, 8);
        add(fault, O::ProgramWrite, R::GivesUp, 8);
        add(fault, O::CliStatus, R::GivesUp, 8);
        add(fault, O::CliRead, R::GivesUp, 8);
        add(fault, O::CliWrite, R::GivesUp, 8);
    }
    // Broken read replies; a write is only acknowledged, so it goes through.
    for (const char* fault : {"bad-checksum", "wrong-length"}) {
        add(fault, O::Connect, R::GivesUp, 8);
        add(fault, O::Supervision, R::GivesUp, 16);
        add(fault, O::ProgramRead, R::GivesUp, 8);
        add(fault, O::ProgramWrite, R::Done, 2, 2);
        add(fault, O::CliStatus, R::GivesUp, 8);
        add(fault, O::CliRead, R::GivesUp, 8);
        add(fault, O::CliWrite, R::GivesUp, 8); // the identification is a read
    }
    // The device answers its first frame, then falls silent.
    add("silence-after=1", O::Connect, R::Done, 1);
    add("silence-after=1", O::Supervision, R::GivesUp, 9);
    add("silence-after=1", O::ProgramRead, R::GivesUp, 9, 1);
    add("silence-after=1", O::ProgramWrite, R::GivesUp, 9, 1);
    add("silence-after=1", O::CliStatus, R::GivesUp, 9);
    add("silence-after=3", O::CliRead, R::GivesUp, 11, 1);
    // 0A answered, 0B not, and no read back answered: what it holds is unknown.
    write("silence-after=6", R::GivesUp, 6 + 8 + 8, 1, H::Unknown, false);
    // The device does not read: nothing is written.
    add("silence-after=3", O::CliWrite, R::GivesUp, 11);
    // EEPROM faults; the boxes are closed, which breaks the link.
    for (const char* fault : {"os", "ol"}) {
        add(fault, O::Connect, R::Breaks, 1);
        add(fault, O::Supervision, R::Breaks, 1);
        add(fault, O::ProgramRead, R::Breaks, 1);
        add(fault, O::ProgramWrite, R::Breaks, 1);
        add(fault, O::CliStatus, R::Breaks, 1);
        add(fault, O::CliRead, R::Breaks, 1);
        add(fault, O::CliWrite, R::Breaks, 1);
    }
    // EEPROM faults aimed at an optics read or write: reached past the
    // identification that meets an unaimed one first.
    add("os@88", O::ProgramRead, R::Breaks, 2, 1);
    add("ol@0B", O::ProgramWrite, R::Breaks, 2, 1);
    add("os@88", O::CliRead, R::Breaks, 4, 1);
    add("ol@89#1", O::CliRead, R::Breaks, 5, 2);
    // The simulator stores a write frame and then reports the fault: the
    // answer says otherwise, the device read back tells.
    write("ol@0B", R::Breaks, 5 + 2 + 3, 1, H::Written, true);
    write("os@0A#1", R::Breaks, 5 + 1 + 3, 0, H::PartWritten, true);
    write("of@0A", R::GivesUp, 5 + 8 + 3, 0, H::PartWritten, true);
    // An unanswered frame: stored (0A) or not (the simulator ignores it).
    write("ignore=0A", R::GivesUp, 5 + 8 + 3, 0, H::Untouched, true);
    write("ignore=0B", R::GivesUp, 5 + 1 + 8 + 3, 1, H::PartWritten, true);
    // Another device type: only identification looks at it (connect, and
    // every companion command before anything else).
    add("wrong-type", O::Connect, R::Unsupported, 1);
    add("wrong-type", O::Supervision, R::Done, 2);
    add("wrong-type", O::ProgramRead, R::Done, 3, 3);
    add("wrong-type", O::ProgramWrite, R::Done, 2, 2);
    add("wrong-type", O::CliStatus, R::Unsupported, 2);
    add("wrong-type", O::CliRead, R::Unsupported, 1);
    add("wrong-type", O::CliWrite, R::Unsupported, 1);
    // Replies in pieces, and bytes after the end of a reply: no harm.
    for (const char* fault : {"split=2", "trailing"}) {
        add(fault, O::Connect, R::Done, 1);
        add(fault, O::Supervision, R::Done, 2);
        add(fault, O::ProgramRead, R::Done, 3, 3);
        add(fault, O::ProgramWrite, R::Done, 2, 2);
        add(fault, O::CliStatus, R::Done, 2);
        add(fault, O::CliRead, R::Done, 5, 3);
        add(fault, O::CliWrite, R::Done, 7, 2);
    }
    // The device vanishes: at the first frame of a connect, otherwise after
    // one answered frame (in the middle of a transfer).
    add("vanish=0", O::Connect, R::Breaks, 1);
    add("vanish=1", O::Supervision, R::Breaks, 2);
    add("vanish=1", O::ProgramRead, R::Breaks, 2, 1);
    add("vanish=1", O::ProgramWrite, R::Breaks, 2, 1);
    add("vanish=1", O::CliStatus, R::Breaks, 2);
    add("vanish=3", O::CliRead, R::Breaks, 4, 1);
    add("vanish=3", O::CliWrite, R::Breaks, 4); // in the read before the write
    write("vanish=6", R::Breaks, 7, 1, H::Unknown, false);
    return c;
}

} // namespace

const std::vector<Cell>& fault_cells()
{
    static const std::vector<Cell> cells = make_cells();
    return cells;
}

const char* op_name(Op op)
{
    switch (op) {
    case Op::Connect:
        return "Connect";
    case Op::Supervision:
        return "Supervision";
    case Op::ProgramRead:
        return "ProgramRead";
    case Op::ProgramWrite:
        return "ProgramWrite";
    case Op::CliStatus:
        return "CliStatus";
    case Op::CliRead:
        return "CliRead";
    case Op::CliWrite:
        return "CliWrite";
    }
    return "Unknown";
}

const char* outcome_name(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return "Done";
    case Outcome::GivesUp:
        return "GivesUp";
    case Outcome::Breaks:
        return "Breaks";
    case Outcome::Unsupported:
        return "Unsupported";
    }
    return "Unknown";
}

void PrintTo(const Cell& cell, std::ostream* os)
{
    *os << cell.fault << " x " << op_name(cell.op) << " -> " << outcome_name(cell.outcome);
}

std::string cell_name(const Cell& cell)
{
    std::string name;
    for (char ch : cell.fault)
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name + "_" + op_name(cell.op);
}

} // namespace robustness
