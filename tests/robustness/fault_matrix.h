#pragma once
// The fault matrix: every fault the simulated device can show, against every
// operation that talks to it, with the outcome the design gives each pair.

#include "tools/zuzo/commands/device_holds.h"

#include <ostream>
#include <string>
#include <vector>

namespace robustness {

// The operations that talk to the device.
enum class Op {
    Connect,      // ConnectButton with COM1 chosen
    Supervision,  // two status ticks on a connected link
    ProgramRead,  // ReadProgramButton on a connected link
    ProgramWrite, // WriteProgramButton on a connected link
    CliStatus,    // zuzo device status
    CliRead,      // zuzo device read --into FILE
    CliWrite,     // zuzo device write FILE
};

enum class Outcome {
    Done,        // the operation succeeds
    GivesUp,     // a command still fails after the attempt limit
    Breaks,      // the link is lost, or an EEPROM fault box breaks it
    Unsupported, // the device identifies as another type
};

struct Cell {
    std::string fault; // simulator setting, as zuzo-devsim takes it
    Op op = Op::Connect;
    Outcome outcome = Outcome::Done;
    int frames = 0;        // frames the device receives during the operation
    int commands_done = 0; // transfers: commands completed before the end
    // CliWrite: what the line says the device holds, and whether that was
    // read back from it.
    zuzo::cli::Holding holding{};
};

// Every cell of the matrix, fault by fault.
[[nodiscard]] const std::vector<Cell>& fault_cells();

[[nodiscard]] const char* op_name(Op op);
[[nodiscard]] const char* outcome_name(Outcome outcome);
// "fault x operation -> outcome", for failure messages.
void PrintTo(const Cell& cell, std::ostream* os);
// A test name for the cell: letters, digits and underscores only.
[[nodiscard]] std::string cell_name(const Cell& cell);

} // namespace robustness
