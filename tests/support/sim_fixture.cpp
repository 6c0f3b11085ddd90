#include "support/sim_fixture.h"

#include "link/core/port_names.h"
#include "tools/devsim/fault_names.h"

#include <cstdlib>
#include <filesystem>

SimFixture::SimFixture() : server_(std::make_unique<zuzo::sim::PtyServer>(device_))
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "zuzo-sim-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) != nullptr)
        root_ = tmpl;
    if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
        old_runtime_dir_ = old;
    ::setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
    folder_ = zuzo::virtual_port_folder();
}

SimFixture::~SimFixture()
{
    stop();
    if (old_runtime_dir_)
        ::setenv("XDG_RUNTIME_DIR", old_runtime_dir_->c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
    if (!root_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
}

bool SimFixture::start(const std::string& com_name)
{
    if (root_.empty())
        return false;
    com_name_ = com_name;
    return server_->start(folder_, com_name) == zuzo::sim::ServeResult::Started;
}

void SimFixture::stop()
{
    server_->stop();
}

bool SimFixture::set_fault(const std::string& setting)
{
    zuzo::sim::Faults f = device_.faults();
    if (!zuzo::sim::apply_fault(setting, f))
        return false;
    device_.set_faults(f);
    return true;
}
