#include "tools/zuzo/commands/fleet_run.h"

#include "tools/zuzo/commands/device_session.h"
#include "tools/zuzo/commands/fleet_report.h"
#include "tools/zuzo/core/interrupt.h"

#include <QThread>

#include <memory>
#include <mutex>
#include <ostream>
#include <vector>

namespace zuzo::cli {

int run_on_ports(const DeviceOptions& o, DeviceJournal& journal, std::ostream& out)
{
    std::vector<DeviceRun> runs(o.ports.size());
    std::mutex output; // one device's line at a time
    const StopCheck stop = [] { return interrupted(); };
    // Threads with an event dispatcher each: the serial port layer wants one
    // on the thread that uses a port.
    std::vector<std::unique_ptr<QThread>> threads;
    for (std::size_t k = 0; k < o.ports.size(); ++k) {
        threads.emplace_back(QThread::create([&, k] {
            DeviceRun run = run_on_port(o, o.ports[k], stop);
            journal.record(run);
            const std::lock_guard lock(output);
            if (!o.json)
                out << fleet_line(run) << std::flush;
            runs[k] = std::move(run);
        }));
        threads.back()->start();
    }
    for (const std::unique_ptr<QThread>& thread : threads)
        thread->wait();
    // Each thread stored its run holding the lock: taking it orders those
    // stores before the reads below for a checker that does not see the
    // locks inside Qt's wait() (ThreadSanitizer).
    const std::lock_guard lock(output);
    if (o.json)
        out << json::write(fleet_to_json(runs, interrupted()));
    else
        out << fleet_summary(runs, interrupted());
    return fleet_exit_code(runs);
}

} // namespace zuzo::cli
