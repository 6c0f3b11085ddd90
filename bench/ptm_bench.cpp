#include "bench/ptm_bench.h"

#include "program/core/ptm_format.h"

#include <cstdint>
#include <string>

namespace bench {
namespace {

zuzo::DeviceProgram busy_program()
{
    zuzo::DeviceProgram p;
    for (int d = 1; d <= zuzo::kDays; ++d) {
        for (int i = 1; i <= zuzo::kIntervals; ++i) {
            p.plan_enabled[d][i] = 1;
            p.plan_hour[d][i] = (d + i) % 24;
            p.plan_minute[d][i] = (d * i) % 60;
            p.plan_volume[d][i] = (i * 8) % 101;
        }
    }
    p.weekday_name = "Воскресенье";
    p.sound_type = "Сигнал №2";
    p.fast_pulse_time = "15";
    return p;
}

} // namespace

void run_ptm_bench(int files, std::vector<Row>& rows)
{
    const zuzo::DeviceProgram program = busy_program();
    std::size_t bytes = 0;
    std::vector<std::uint8_t> last;
    const double w0 = wall_seconds();
    for (int i = 0; i < files; ++i) {
        last = zuzo::write_ptm(program);
        bytes += last.size();
    }
    const double write_us = (wall_seconds() - w0) * 1e6 / files;

    int loaded = 0;
    zuzo::DeviceProgram read_back;
    const double r0 = wall_seconds();
    for (int i = 0; i < files; ++i)
        loaded += zuzo::read_ptm(last, read_back) == zuzo::PtmReadResult::Loaded ? 1 : 0;
    const double read_us = (wall_seconds() - r0) * 1e6 / files;

    const bool same = read_back == program;
    const std::string note = std::to_string(files) + " files of " + std::to_string(last.size()) +
                             " bytes, in memory" + (same ? "" : "; READ BACK DIFFERS");
    rows.push_back({".ptm write (core), per file", fixed(write_us, 2) + " us", "-", same && bytes > 0, note});
    rows.push_back(
        {".ptm read (core), per file", fixed(read_us, 2) + " us", "-", same && loaded == files, note});
}

} // namespace bench
