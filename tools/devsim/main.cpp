// zuzo-devsim: a simulated device on a pseudo-terminal, published as a
// virtual COM port for the tool and the companion program.

#include "link/port_names_posix.h"
#include "tools/devsim/fault_names.h"
#include "tools/devsim/pty_server.h"
#include "tools/devsim/sim_device.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const char* const kUsage = "usage: zuzo-devsim [--port COMn] [--folder DIR] [--fault NAME[=N]]... [--pace]\n"
                           "                   [--lux N] [--sensor-off]\n"
                           "faults: %s\n";

int usage(const char* problem)
{
    if (problem != nullptr)
        std::fprintf(stderr, "zuzo-devsim: %s\n", problem);
    std::fprintf(stderr, kUsage, zuzo::sim::fault_names_help());
    return 2;
}

bool whole_number(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace zuzo;
    std::string port = "COM1";
    std::string folder = virtual_port_folder();
    sim::Faults faults;
    int lux = 1234;
    bool sensor_on = true;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--port" && has_value) {
            port = argv[++i];
            if (com_number(port) == 0)
                return usage("--port needs a name COM1..COM200");
            port = com_name(com_number(port));
        } else if (arg == "--folder" && has_value) {
            folder = argv[++i];
        } else if (arg == "--fault" && has_value) {
            if (!sim::apply_fault(argv[++i], faults))
                return usage("unknown fault or bad number");
        } else if (arg == "--pace") {
            faults.pace = true;
        } else if (arg == "--lux" && has_value) {
            if (!whole_number(argv[++i], lux) || lux > 65535)
                return usage("--lux needs a number 0..65535");
        } else if (arg == "--sensor-off") {
            sensor_on = false;
        } else if (arg == "--help" || arg == "-h") {
            usage(nullptr);
            return 0;
        } else {
            return usage("unknown argument");
        }
    }

    // The line thread must not take the stop signals: block them before it
    // starts and wait for them here.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    sim::SimDevice device;
    device.set_faults(faults);
    device.set_lux(lux);
    device.set_sensor_on(sensor_on);
    sim::PtyServer server(device);
    const sim::ServeResult started = server.start(folder, port);
    if (started != sim::ServeResult::Started) {
        std::fprintf(stderr, "zuzo-devsim: cannot publish %s in %s: %s\n", port.c_str(), folder.c_str(),
                     sim::describe(started));
        return 1;
    }
    std::printf("%s %s\n%s -> %s\n", port.c_str(), server.terminal_path().c_str(), server.link_path().c_str(),
                server.terminal_path().c_str());
    std::fflush(stdout);

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.stop();
    return 0;
}
