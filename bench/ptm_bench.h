#pragma once
// The program file writer and reader of the core, per file, in memory.

#include "bench/measure.h"

#include <vector>

namespace bench {

void run_ptm_bench(int files, std::vector<Row>& rows);

} // namespace bench
