#include "tools/zuzo/commands/device_commands.h"

#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/device_find.h"
#include "tools/zuzo/commands/device_journal.h"
#include "tools/zuzo/commands/device_options.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/commands/device_session.h"
#include "tools/zuzo/commands/fleet_run.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/core/interrupt.h"
#include "tools/zuzo/json/json.h"

#include <iostream>

namespace zuzo::cli {

int run_device_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "find") // no device yet: which port it is on
        return run_device_find(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    DeviceOptions o;
    const std::string problem = parse_device_options(args, o);
    if (!problem.empty()) {
        if (o.json)
            out << json::write(usage_to_json(o.port, "zuzo device: " + problem));
        return refuse_call(err, "device", problem);
    }

    const QtCoreForDevices qt; // before any port session, on this thread
    const InterruptWatch watch;
    // The journal opens before anything else happens: a run it cannot
    // record sends nothing.
    DeviceJournal journal;
    const std::string unopened = journal.open(o.journal);
    if (unopened.empty() && !o.ports.empty())
        return run_on_ports(o, journal, out);

    DeviceRun run;
    run.command = o.command;
    run.verify_after_write = o.verify_after_write;
    run.port = o.port;
    if (!unopened.empty()) {
        run.outcome = RunOutcome::JournalFailed;
        run.exit_code = EXIT_ERROR;
        run.result = unopened;
    } else {
        run = run_on_port(o, o.port, [] { return interrupted(); });
        DeviceRun done = run;
        if (!journal.record(run) && !o.json) {
            print_plain(done, out, err); // what the device did, then what the journal lost
            err << run.result << '\n';
            return run.exit_code;
        }
    }
    if (o.json)
        out << json::write(run_to_json(run));
    else
        print_plain(run, out, err);
    return run.exit_code;
}

int run_device_command(const std::vector<std::string>& args)
{
    return run_device_command(args, std::cout, std::cerr);
}

} // namespace zuzo::cli
