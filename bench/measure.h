#pragma once
// Clocks and summaries for the benchmarks: wall and CPU time of the process,
// percentiles of a set of samples, and one row of the printed table.

#include <chrono>
#include <string>
#include <vector>

namespace bench {

// Seconds of CPU the whole process has used (every thread, user and system).
[[nodiscard]] double process_cpu_seconds();
// Seconds since an arbitrary fixed point, steady.
[[nodiscard]] double wall_seconds();

// The q-quantile (0..1) of the samples, nearest rank; 0 for no samples.
[[nodiscard]] double quantile(std::vector<double> samples, double q);

struct Row {
    std::string what;
    std::string figure;
    std::string target;
    bool met = true;
    std::string note;
};

// The table as Markdown, one row per line.
[[nodiscard]] std::string table(const std::vector<Row>& rows);

[[nodiscard]] std::string fixed(double value, int decimals);

} // namespace bench
