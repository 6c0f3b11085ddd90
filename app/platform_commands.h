#pragma once
// What the auxiliary commands start on each platform (platform_commands_*.cpp,
// chosen by the build).

#include <string>
#include <vector>

namespace zuzo {

struct ProgramCall {
    std::string program; // empty: nothing to start
    std::vector<std::string> arguments;
};

// The system's device manager; an empty program where the platform has none.
[[nodiscard]] ProgramCall device_manager_program();

} // namespace zuzo
