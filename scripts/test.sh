#!/usr/bin/env bash
# Installs what is missing, builds the tool and its tests and runs the whole
# suite, with the configure, build and test presets of CMakePresets.json
# named PRESET: release by default (build/release: unity batches of 16,
# warnings as errors), sanitize for CI's pass under AddressSanitizer and
# UndefinedBehaviorSanitizer (build/sanitize, every file compiled alone).
# Arguments go to ctest: scripts/test.sh -L unit runs the unit tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset=${PRESET:-release}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)" "$@"
