#!/usr/bin/env bash
# Installs what is missing, builds the tool and its tests and runs the whole
# suite, with the configure, build and test presets of CMakePresets.json
# named PRESET: release by default (build/release: unity batches of 16),
# sanitize for CI's pass under AddressSanitizer, UndefinedBehaviorSanitizer
# and the leak checker (build/sanitize, every file compiled alone), tsan for
# its pass of the many-port and pseudo-terminal tests under ThreadSanitizer
# (build/tsan). Warnings are errors here, whatever the folder held before,
# and the tests are built even where the folder was configured without them
# (as the README's installation leaves build/release); a run that finds no
# test fails. Arguments go to ctest: scripts/test.sh -L unit runs the unit
# tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset=${PRESET:-release}
# A folder made by another generator (a plain "cmake -S . -B build/release"
# takes Makefiles, the presets Ninja) is configured afresh.
fresh=()
cache=build/$preset/CMakeCache.txt
if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
  fresh=(--fresh)
fi
cmake --preset "$preset" "${fresh[@]}" -DZUZO_BUILD_TESTS=ON -DZUZO_WERROR=ON >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)" "$@"
