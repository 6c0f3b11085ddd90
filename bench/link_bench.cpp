#include "bench/link_bench.h"

#include "bench/devsim_process.h"
#include "link/core/exchange.h"
#include "link/serial/serial_link.h"

#include <functional>
#include <string>

namespace bench {
namespace {

// 10 bits per character at 9600 baud.
constexpr double kCharMs = 10.0 * 1000.0 / 9600.0;

// The device never asks here; if it did, the exchange is broken off.
class CountingPrompt : public zuzo::FaultPrompt {
public:
    zuzo::FaultAnswer ask(const zuzo::FaultQuestion&) override
    {
        ++asked;
        return zuzo::FaultAnswer::Cancel;
    }
    int asked = 0;
};

// The serial link without the reply length told: it then wakes for every
// character of a reply, which is what the told length saves.
class UntoldLink : public zuzo::IoChannel {
public:
    explicit UntoldLink(SerialLink& link) : link_(link) {}
    bool is_open() const override { return link_.is_open(); }
    zuzo::IoResult run_io(const std::string& frame) override { return link_.run_io(frame); }

private:
    SerialLink& link_;
};

struct Kind {
    const char* name;
    int characters; // frame out plus reply in
    std::function<zuzo::ExchangeResult(zuzo::IoChannel&, zuzo::FaultPrompt&, zuzo::ReplyBytes&)> run;
};

std::vector<Kind> kinds()
{
    zuzo::WriteParams optics{};
    for (std::size_t k = 0; k < optics.size(); ++k)
        optics[k] = static_cast<std::uint8_t>(40 + k * 10);
    return {
        {"status", 9 + 26,
         [](zuzo::IoChannel& l, zuzo::FaultPrompt& p, zuzo::ReplyBytes& r) {
             return zuzo::read_exchange(l, p, r, zuzo::CMD_STATUS);
         }},
        {"optics read", 9 + 26,
         [](zuzo::IoChannel& l, zuzo::FaultPrompt& p, zuzo::ReplyBytes& r) {
             return zuzo::read_exchange(l, p, r, zuzo::CMD_READ_OPTICS_A);
         }},
        {"optics write", 29 + 4,
         [optics](zuzo::IoChannel& l, zuzo::FaultPrompt& p, zuzo::ReplyBytes&) {
             return zuzo::write_exchange(l, p, zuzo::CMD_WRITE_OPTICS_A, optics);
         }},
    };
}

// target: whether the line's own limit (1.05) is the target; not through
// an adapter that holds the reply.
void exchange_row(zuzo::IoChannel& link, const Kind& kind, int count, const std::string& label,
                  std::vector<Row>& rows, bool target = true)
{
    CountingPrompt prompt;
    zuzo::ReplyBytes reply{};
    const double line_ms = kind.characters * kCharMs;
    std::vector<double> ratios;
    int failed = 0;
    (void)kind.run(link, prompt, reply); // the first one opens the session
    const double cpu0 = process_cpu_seconds();
    for (int i = 0; i < count; ++i) {
        const double start = wall_seconds();
        const zuzo::ExchangeResult r = kind.run(link, prompt, reply);
        const double ms = (wall_seconds() - start) * 1000.0;
        if (r != zuzo::ExchangeResult::EXCHANGE_DONE)
            ++failed;
        ratios.push_back(ms / line_ms);
    }
    const double cpu_ms = (process_cpu_seconds() - cpu0) * 1000.0 / count;
    const double p50 = quantile(ratios, 0.50);
    const double p95 = quantile(ratios, 0.95);
    rows.push_back({std::string("Exchange ") + kind.name + label + ": wall / line time, p50 / p95",
                    fixed(p50, 3) + " / " + fixed(p95, 3), target ? "<= 1.05" : "-",
                    (!target || p95 <= 1.05) && failed == 0,
                    std::to_string(count) + " exchanges, line time " + fixed(line_ms, 2) + " ms (" +
                        std::to_string(kind.characters) + " characters), p50 " + fixed(p50 * line_ms, 2) +
                        " ms, CPU " + fixed(cpu_ms, 3) + " ms per exchange" +
                        (failed ? ", " + std::to_string(failed) + " FAILED" : std::string())});
}

void exchange_rows(SerialLink& link, int count, std::vector<Row>& rows)
{
    const std::vector<Kind> all = kinds();
    for (const Kind& kind : all)
        exchange_row(link, kind, count, "", rows);
    // For comparison: the same status exchange waking for every character.
    UntoldLink untold(link);
    exchange_row(untold, all.front(), count, " (reply length not told, a wake per character)", rows);
}

// The status exchange and an optics write through a USB adapter that holds
// what the device sends until its latency timer runs out (the simulator's
// --latency): 1 ms is what the low-latency flag gives an adapter whose driver
// takes it, 16 ms a common default.
bool adapter_rows(const LinkBenchSetup& setup, std::vector<Row>& rows)
{
    const std::vector<Kind> all = kinds();
    for (const int latency : {1, 4, 16, 32}) {
        DevsimProcess device;
        if (!device.start(setup.devsim, "COM3", setup.folder,
                          {"--pace", "--latency", QString::number(latency)})) {
            rows.push_back(
                {"Exchanges through an adapter", "not run", "", false, device.why().toStdString()});
            return false;
        }
        SerialLink link(setup.folder.toStdString());
        if (!link.open_link("COM3")) {
            rows.push_back({"Exchanges through an adapter", "not run", "", false, "COM3 cannot be opened"});
            return false;
        }
        const std::string label = " through an adapter holding up to " + std::to_string(latency) + " ms";
        exchange_row(link, all[0], setup.exchanges, label, rows, false);
        exchange_row(link, all[2], setup.exchanges, label, rows, false);
    }
    return true;
}

void silent_row(SerialLink& link, std::vector<Row>& rows)
{
    CountingPrompt prompt;
    zuzo::ReplyBytes reply{};
    const double cpu0 = process_cpu_seconds();
    const double wall0 = wall_seconds();
    const zuzo::AttemptOutcome outcome =
        zuzo::run_attempts([&] { return zuzo::read_exchange(link, prompt, reply, zuzo::CMD_STATUS); });
    const double wall = wall_seconds() - wall0;
    const double cpu = process_cpu_seconds() - cpu0;
    const double share = wall > 0 ? cpu / wall : 0.0;
    rows.push_back({"Silent device, one full command: CPU / wall", fixed(share, 4), "<= 0.01", share <= 0.01,
                    std::to_string(outcome.attempts) + " attempts in " + fixed(wall, 2) + " s wall, " +
                        fixed(cpu * 1000.0, 1) + " ms CPU"});
}

} // namespace

bool run_link_bench(const LinkBenchSetup& setup, std::vector<Row>& rows)
{
    DevsimProcess prompt_device;
    DevsimProcess silent_device;
    if (!prompt_device.start(setup.devsim, "COM1", setup.folder, {"--pace"}) ||
        !silent_device.start(setup.devsim, "COM2", setup.folder, {"--pace", "--fault", "silence"})) {
        const QString why = prompt_device.why().isEmpty() ? silent_device.why() : prompt_device.why();
        rows.push_back({"Link benchmarks", "not run", "", false, why.toStdString()});
        return false;
    }
    SerialLink link(setup.folder.toStdString());
    if (!link.open_link("COM1")) {
        rows.push_back({"Link benchmarks", "not run", "", false, "COM1 cannot be opened"});
        return false;
    }
    exchange_rows(link, setup.exchanges, rows);
    if (!link.open_link("COM2")) {
        rows.push_back({"Silent device", "not run", "", false, "COM2 cannot be opened"});
        return false;
    }
    silent_row(link, rows);
    link.close_link();
    return adapter_rows(setup, rows);
}

} // namespace bench
