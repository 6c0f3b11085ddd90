#pragma once
// "zuzo device ..." called as a function against a simulated device
// published as COM5, with files in a temporary folder. Header only: only
// tests that link the companion's library include it.

#include "program/core/ptm_format.h"
#include "support/cli_fixture.h"
#include "support/sim_fixture.h"
#include "tools/zuzo/commands/device_commands.h"

#include <string>
#include <vector>

class DeviceFixture : public CliFixture {
protected:
    void SetUp() override { ASSERT_TRUE(sim.start("COM5")); }

    // "zuzo device ARGS...".
    int run(const std::vector<std::string>& args)
    {
        out_.str({});
        err_.str({});
        return zuzo::cli::run_device_command(args, out_, err_);
    }

    // The program written to a file of the folder; its path.
    std::string save(const std::string& name, const zuzo::DeviceProgram& p)
    {
        put(path(name), zuzo::write_ptm(p));
        return path(name);
    }

    SimFixture sim;
};
