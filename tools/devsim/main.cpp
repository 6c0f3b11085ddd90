// zuzo-devsim: a simulated device on a pseudo-terminal, published as a
// virtual COM port for the tool and the companion program.

#include "link/core/port_names_posix.h"
#include "tools/devsim/detach.h"
#include "tools/devsim/pty_server.h"
#include "tools/devsim/sim_device.h"
#include "tools/devsim/sim_options.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace {

// Publishes the port. A simulator stopped just before (kill, then start
// again) may hold the name for a moment longer, so a taken name is tried
// again for up to a second before it is refused.
bool publish(zuzo::sim::PtyServer& server, const std::string& folder, const std::string& port,
             std::string& problem)
{
    using namespace std::chrono_literals;
    const auto give_up = std::chrono::steady_clock::now() + 1s;
    zuzo::sim::ServeResult r = server.start(folder, port);
    while (r == zuzo::sim::ServeResult::PortTaken && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(20ms);
        r = server.start(folder, port);
    }
    if (r == zuzo::sim::ServeResult::Started)
        return true;
    problem = port + " не опубликован в " + folder + ": " + zuzo::sim::describe(r);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace zuzo;
    sim::SimCommandLine line = sim::parse_sim_command_line(argc, argv, virtual_port_folder());
    switch (line.call) {
    case sim::SimCall::Refused:
        return sim::usage(line.problem);
    case sim::SimCall::Help:
        sim::print_help(virtual_port_folder());
        return 0;
    case sim::SimCall::Version:
        std::printf("zuzo-devsim %s\n", ZUZO_VERSION);
        return 0;
    case sim::SimCall::Run:
        break;
    }
    const sim::SimOptions& o = line.options;
    std::string folder = o.folder;
    const std::string& port = o.port;

    std::optional<sim::ReadyLine> ready;
    if (o.detached) {
        // The child leaves the working folder: the port folder is kept whole.
        std::error_code ec;
        const std::filesystem::path whole = std::filesystem::absolute(folder, ec);
        if (!ec)
            folder = whole.string();
        sim::Detached d = sim::detach();
        if (d.parent_exit)
            return *d.parent_exit;
        ready = std::move(d.child);
    }

    // The line thread must not take the stop signals: block them before it
    // starts and wait for them here.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    sim::SimDevice device;
    device.set_faults(o.faults);
    device.set_lux(o.lux);
    device.set_sensor_on(o.sensor_on);
    device.set_clock_offset(o.clock_ahead);
    sim::PtyServer server(device);
    server.set_line(o.line);
    std::string problem;
    if (!publish(server, folder, port, problem)) {
        if (ready)
            ready->failed(problem);
        else
            std::fprintf(stderr, "zuzo-devsim: %s\n", problem.c_str());
        return 1;
    }
    if (ready) {
        ready->published();
    } else {
        // The first line, the name and the terminal, is for scripts too.
        std::printf("%s %s\nссылка %s -> %s; остановка: Ctrl+C\n", port.c_str(),
                    server.terminal_path().c_str(), server.link_path().c_str(),
                    server.terminal_path().c_str());
        std::fflush(stdout);
    }

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.stop();
    return 0;
}
