#!/usr/bin/env bash
# Installs what is missing, builds the tool and its tests in build/release and
# runs the whole suite.
# BUILD_DIR, BUILD_TYPE and CMAKE_ARGS change the build (CI's sanitizer pass
# uses them). Sources are compiled in unity batches: the build is a few times
# faster that way on two cores. CMAKE_ARGS come last, so -DCMAKE_UNITY_BUILD=OFF
# there builds every file alone (CI's sanitizer pass does).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 120
