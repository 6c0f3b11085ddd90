#include "tools/zuzo/commands/fleet_run.h"

#include "tools/zuzo/commands/device_session.h"
#include "tools/zuzo/commands/fleet_report.h"
#include "tools/zuzo/commands/port_threads.h"
#include "tools/zuzo/core/interrupt.h"

#include <mutex>
#include <ostream>
#include <vector>

namespace zuzo::cli {

int run_on_ports(const DeviceOptions& o, DeviceJournal& journal, std::ostream& out)
{
    std::vector<DeviceRun> runs(o.ports.size());
    std::mutex output; // one device's line at a time
    const StopCheck stop = [] { return interrupted(); };
    on_port_threads(o.ports.size(), [&](std::size_t k) {
        DeviceRun run = run_on_port(o, o.ports[k], stop);
        journal.record(run);
        const std::lock_guard lock(output);
        if (!o.json)
            out << fleet_line(run) << std::flush;
        runs[k] = std::move(run);
    });
    if (o.json)
        out << json::write(fleet_to_json(runs, interrupted()));
    else
        out << fleet_summary(runs, interrupted());
    return fleet_exit_code(runs);
}

} // namespace zuzo::cli
