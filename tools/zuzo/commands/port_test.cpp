#include "tools/zuzo/commands/port_test.h"

#include "link/core/exchange_io.h"
#include "link/core/port_names.h"
#include "link/core/serial_port.h"
#include "tools/zuzo/commands/command_checks.h"
#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/commands/device_session.h"
#include "tools/zuzo/core/exit_codes.h"

#include <array>
#include <chrono>
#include <memory>
#include <ostream>

namespace zuzo::cli {
namespace {

using std::chrono::milliseconds;

// How long a pattern may take to come back beyond its own time on the
// line: well past the reply wait, so that a latency too long for the device
// is still measured and named.
constexpr milliseconds kEchoWait{600};
// Before each pattern the port listens for a while that differs from trip
// to trip (0..31 ms), so that the adapter's timer stands at another point
// of its period each time and the trips see its whole range.
constexpr int kListenSteps = 32;
constexpr int kListenStride = 17; // coprime to kListenSteps: every step once in 32 trips

// Reads and drops what comes until deadline (past: only what is there);
// the number of bytes.
std::size_t drain(SerialPort& port, LinkTime deadline)
{
    std::size_t n = 0;
    std::array<char, kReadBufferBytes> buffer{};
    for (;;) {
        const PortIo r = port.read(buffer.data(), buffer.size(), deadline);
        n += r.count;
        if (r.count == 0 || r.lost)
            return n;
    }
}

LoopTrip round_trip(SerialPort& port, int k)
{
    std::array<char, kPatternBytes> pattern{};
    for (std::size_t i = 0; i < pattern.size(); ++i) // every byte value, 00 to FF, in 16 trips
        pattern[i] = static_cast<char>((static_cast<std::size_t>(k) * kPatternBytes + i) & 0xFF);
    const milliseconds line =
        std::chrono::ceil<milliseconds>(kCharTime * static_cast<long long>(kPatternBytes));
    LoopTrip trip;
    const LinkTime start = std::chrono::steady_clock::now();
    (void)port.write(pattern.data(), pattern.size(), start + line + kEchoWait);
    std::array<char, kPatternBytes> back{};
    const LinkTime deadline = start + line + kEchoWait;
    while (trip.back < back.size()) {
        const PortIo r = port.read(back.data() + trip.back, back.size() - trip.back, deadline);
        trip.back += r.count;
        if (r.count == 0 || r.lost)
            break;
    }
    trip.round_trip_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (std::size_t i = 0; i < trip.back; ++i) {
        if (back[i] != pattern[i])
            ++trip.altered;
    }
    return trip;
}

} // namespace

LoopTest run_loop_test(const std::string& port_name)
{
    LoopTest test;
    test.port = port_name;
    const std::string path = resolve_port(port_name, virtual_port_folder());
    const std::unique_ptr<SerialPort> port = make_system_port();
    test.port_error = path.empty() ? PortOpenError::Missing : port->open(path);
    if (test.port_error != PortOpenError::None)
        return test;
    port->discard_input();
    for (int k = 0; k < kLoopTrips; ++k) {
        const milliseconds listen{(k * kListenStride) % kListenSteps};
        const std::size_t stray = drain(*port, std::chrono::steady_clock::now() + listen);
        LoopTrip trip = round_trip(*port, k);
        trip.extra += stray;
        test.trips.push_back(trip);
        if (trip.back < trip.sent || !port->is_open())
            break; // a pattern came back short: the rest would only wait as long
    }
    if (!test.trips.empty()) // what followed the last pattern
        test.trips.back().extra += drain(*port, std::chrono::steady_clock::now() + milliseconds(20));
    port->close();
    return test;
}

int run_port_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool json = false;
    std::vector<std::string> words;
    std::string problem;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json" && !json)
            json = true;
        else if (a == "--json")
            problem = "параметр --json указан дважды";
        else if (a.size() > 1 && a[0] == '-')
            problem = "неизвестный параметр " + a;
        else
            words.push_back(a);
    }
    if (problem.empty() && (words.empty() || words[0] != "test"))
        problem = words.empty() ? "нужна команда test" : "неизвестная команда " + words[0];
    else if (problem.empty() && words.size() != 2)
        problem = "ожидается test COMn (или путь к порту)";
    if (!problem.empty()) {
        if (json)
            out << json::write(
                usage_to_json(words.size() == 2 ? words[1] : std::string(), "zuzo port: " + problem));
        return refuse_call(err, "port", problem);
    }
    const QtCoreForDevices qt;
    const LoopTest test = run_loop_test(words[1]);
    const LoopJudgement j = judge_loop(test);
    if (json)
        out << json::write(loop_json(test, j));
    else if (j.verdict == LoopVerdict::PortFailed)
        err << test.port << ": " << loop_json(test, j).at("result").get<std::string>() << '\n';
    else
        out << loop_text(test, j);
    return loop_exit_code(j);
}

} // namespace zuzo::cli
