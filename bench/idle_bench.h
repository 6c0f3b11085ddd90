#pragma once
// The whole tool, in this process on the offscreen platform, connected to a
// paced simulator and left alone: the CPU its status tick costs.

#include "bench/measure.h"

#include <QString>

#include <vector>

namespace bench {

struct IdleBenchSetup {
    QString devsim;   // path of zuzo-devsim
    QString folder;   // the virtual port folder the tool resolves COM names in
    int seconds = 30; // how long the tool is left connected and idle
};

bool run_idle_bench(const IdleBenchSetup& setup, std::vector<Row>& rows);

} // namespace bench
