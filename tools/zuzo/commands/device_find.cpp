#include "tools/zuzo/commands/device_find.h"

#include "link/core/clock_offset.h"
#include "link/core/exchange.h"
#include "link/core/port_names.h"
#include "link/core/status_reply.h"
#include "link/serial/serial_link.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/device_options.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/commands/device_session.h"
#include "tools/zuzo/commands/find_report.h"
#include "tools/zuzo/commands/port_threads.h"
#include "tools/zuzo/core/port_set.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <ostream>
#include <set>

namespace zuzo::cli {
namespace {

struct FindOptions {
    std::vector<std::string> ports; // --ports; empty: the system's
    bool given_ports = false;
    bool json = false;
};

std::string parse_find_options(const std::vector<std::string>& args, FindOptions& o)
{
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && !given.insert(a).second)
            return "параметр " + a + " указан дважды";
        if (a == "--json") {
            o.json = true;
        } else if (a == "--ports" && i + 1 < args.size()) {
            const PortSet set = parse_port_set(args[++i]);
            if (!set.problem.empty())
                return "--ports: " + set.problem;
            o.ports = set.ports;
            o.given_ports = true;
        } else if (a == "--ports") {
            return "после --ports нужно значение";
        } else if (a.size() > 1 && a[0] == '-') {
            return "неизвестный параметр " + a;
        } else {
            return "лишний аргумент " + a;
        }
    }
    return {};
}

// The ports the system lists, each reached once: a COM name the virtual
// port folder takes for one of its ports leaves the device the fixed rule
// gives it to be asked by its path.
std::vector<std::string> system_port_names(PortLister& lister)
{
    const std::string folder = virtual_port_folder();
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const PortEntry& e : lister.list().value_or(std::vector<PortEntry>{})) {
        if (seen.insert(e.com_name).second) {
            names.push_back(e.com_name);
            continue;
        }
        const std::string by_path = resolve_port(e.device_path, folder);
        if (!by_path.empty() && by_path != resolve_port(e.com_name, folder) &&
            seen.insert(e.device_path).second)
            names.push_back(e.device_path);
    }
    return names;
}

// The link as the exchange sees it, keeping the last reply: what came back
// when it was no reply of the device.
class TappedChannel final : public IoChannel {
public:
    explicit TappedChannel(IoChannel& link) : link_(link) {}
    bool is_open() const override { return link_.is_open(); }
    void expect_reply(std::size_t characters) override { link_.expect_reply(characters); }
    IoResult run_io(const std::string& frame) override
    {
        IoResult r = link_.run_io(frame);
        last_frame = frame;
        last_reply = r.reply;
        return r;
    }
    std::string last_frame;
    std::string last_reply;

private:
    IoChannel& link_;
};

std::string clock_text(const DeviceClock& c)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

// Why the first request found no device.
FindOutcome without_device(ExchangeResult r, const TappedChannel& io)
{
    if (r == ExchangeResult::EXCHANGE_BROKEN)
        return FindOutcome::Lost;
    std::string frame = io.last_frame;
    while (!frame.empty() && frame.back() == '\r')
        frame.pop_back();
    if (!frame.empty() && io.last_reply.find(frame) != std::string::npos)
        return FindOutcome::Echo;
    return io.last_reply.empty() ? FindOutcome::Silent : FindOutcome::Unrecognised;
}

// One status request, and one more for the clock where a device answered.
FoundPort probe(const std::string& port)
{
    FoundPort found;
    found.port = port;
    SerialLink link(virtual_port_folder());
    if (!link.open_link(QString::fromStdString(port))) {
        found.outcome = FindOutcome::PortFailed;
        found.port_error = link.open_error();
        return found;
    }
    TappedChannel io(link);
    OptionFaultPrompt prompt(FaultAnswer::Cancel); // asks nobody: a damaged EEPROM is an answer too
    ReplyBytes status{};
    const ExchangeResult first = read_exchange(io, prompt, status, CMD_STATUS);
    if (prompt.asked()) {
        found.outcome = FindOutcome::EepromFault;
        found.device_said = prompt.what_the_device_said();
        return found;
    }
    if (first != ExchangeResult::EXCHANGE_DONE) {
        found.outcome = without_device(first, io);
        return found;
    }
    found.outcome = FindOutcome::Found;
    found.device_type = status_identity(status).type_code;
    const SensorState sensor = status_sensor(status);
    found.sensor_on = sensor.on;
    found.illuminance = sensor.illuminance_lux;
    prompt.begin_exchange();
    if (read_exchange(io, prompt, status, CMD_STATUS) == ExchangeResult::EXCHANGE_DONE && !prompt.asked()) {
        if (const std::optional<DeviceClock> clock = status_clock(status)) {
            found.clock_offset = clock_offset_seconds(*clock, std::time(nullptr));
            found.clock = clock_text(*clock);
        }
    }
    return found;
}

} // namespace

int run_device_find(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    PortLister& system_ports)
{
    FindOptions o;
    for (const std::string& a : args)
        o.json = o.json || a == "--json";
    if (const std::string problem = parse_find_options(args, o); !problem.empty()) {
        if (o.json)
            out << json::write(usage_to_json({}, "zuzo device find: " + problem));
        return refuse_call(err, "device find", problem);
    }
    const QtCoreForDevices qt; // before the threads
    const std::vector<std::string> names = o.given_ports ? o.ports : system_port_names(system_ports);
    std::vector<FoundPort> ports(names.size());
    // Every port at once.
    on_port_threads(names.size(), [&](std::size_t k) { ports[k] = probe(names[k]); });
    if (o.json)
        out << json::write(find_to_json(ports));
    else
        out << find_lines(ports) << find_summary(ports) << '\n';
    return find_exit_code(ports);
}

int run_device_find(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::unique_ptr<PortLister> lister = make_system_port_lister();
    return run_device_find(args, out, err, *lister);
}

} // namespace zuzo::cli
