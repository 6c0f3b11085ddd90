#pragma once
// The simulator's command line: its options, its help and its refusals.

#include "tools/devsim/pty_server.h"
#include "tools/devsim/sim_device.h"

#include <string>

namespace zuzo::sim {

struct SimOptions {
    std::string port = "COM1";
    std::string folder; // the folder of virtual ports
    Faults faults;
    int lux = 1234;
    bool sensor_on = true;
    long long clock_ahead = 0; // seconds the device's clock is ahead
    bool detached = false;
    LineSettings line; // a loopback plug, an adapter's latency
};

// What the command line asks for; Refused carries the problem, in Russian.
enum class SimCall { Run, Help, Version, Refused };

struct SimCommandLine {
    SimCall call = SimCall::Run;
    SimOptions options;
    std::string problem;
};

// Reads the arguments after the program's name; folder is the default
// folder of virtual ports.
[[nodiscard]] SimCommandLine parse_sim_command_line(int argc, char** argv, const std::string& folder);

// The help on standard output, naming the default folder.
void print_help(const std::string& default_folder);

// A refused call on standard error with the synopsis: exit code 2.
[[nodiscard]] int usage(const std::string& problem);

} // namespace zuzo::sim
