#pragma once
// The companion command-line program.

namespace zuzo::cli {
int run(int argc, char** argv);
}
