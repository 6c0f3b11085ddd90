#include "bench/measure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace bench {

double process_cpu_seconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double wall_seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double quantile(std::vector<double> samples, double q)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

std::string fixed(double value, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

std::string table(const std::vector<Row>& rows)
{
    std::string out = "| Measure | Figure | Target | Met | Note |\n|---|---|---|---|---|\n";
    for (const Row& r : rows)
        out += "| " + r.what + " | " + r.figure + " | " + r.target + " | " + (r.met ? "yes" : "NO") + " | " +
               r.note + " |\n";
    return out;
}

} // namespace bench
