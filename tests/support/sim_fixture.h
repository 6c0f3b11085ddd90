#pragma once
// A simulated device on a fresh pseudo-terminal, for tests that talk to a
// device over a real serial line.
//
// Port resolution: the fixture makes a temporary folder T (mode 0700) and
// sets XDG_RUNTIME_DIR=T for the whole process, so that
// zuzo::virtual_port_folder() is T/zuzo-ports while the fixture lives; the
// device is published there as a link COMn (COM1 unless told otherwise).
// Anything that resolves COM names with virtual_port_folder() (the tool, the
// companion program, a SystemPortLister with no folder given) therefore
// finds the simulated device by name. Create the fixture before the tool
// starts; destroying it stops the device, removes T and restores the old
// XDG_RUNTIME_DIR. One fixture at a time per process.

#include "tools/devsim/pty_server.h"
#include "tools/devsim/sim_device.h"

#include <memory>
#include <optional>
#include <string>

class SimFixture {
public:
    SimFixture();
    ~SimFixture();
    SimFixture(const SimFixture&) = delete;
    SimFixture& operator=(const SimFixture&) = delete;

    // Publishes the device as com_name and starts serving; false on failure.
    [[nodiscard]] bool start(const std::string& com_name = "COM1");
    // Stops serving and removes the link; the folder stays until destruction.
    void stop();

    [[nodiscard]] zuzo::sim::SimDevice& device() { return device_; }
    [[nodiscard]] zuzo::sim::PtyServer& server() { return *server_; }
    [[nodiscard]] const std::string& folder() const { return folder_; } // T/zuzo-ports
    [[nodiscard]] const std::string& com_name() const { return com_name_; }
    [[nodiscard]] const std::string& link_path() const { return server_->link_path(); }
    [[nodiscard]] const std::string& terminal_path() const { return server_->terminal_path(); }

    // Shortcut to set faults by their command-line names ("os", "split=2").
    [[nodiscard]] bool set_fault(const std::string& setting);

private:
    std::string root_;
    std::string folder_;
    std::string com_name_;
    std::optional<std::string> old_runtime_dir_;
    zuzo::sim::SimDevice device_;
    std::unique_ptr<zuzo::sim::PtyServer> server_;
};
