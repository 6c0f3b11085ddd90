#pragma once
// Benchmarks of the serial link against a paced simulator: exchange time
// against the line's own limit, the CPU used while a device is silent, and
// exchanges through an adapter that holds the replies (1, 4, 16, 32 ms).

#include "bench/measure.h"

#include <QString>

#include <vector>

namespace bench {

struct LinkBenchSetup {
    QString devsim;      // path of zuzo-devsim
    QString folder;      // the virtual port folder the tool resolves COM names in
    int exchanges = 200; // per kind of exchange
};

// Appends the rows of the exchange and silent-device measures; false (with a
// row saying why) when the simulator or the port cannot be had.
bool run_link_bench(const LinkBenchSetup& setup, std::vector<Row>& rows);

} // namespace bench
