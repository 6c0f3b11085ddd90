#!/usr/bin/env bash
# Sets up, builds and starts the tool against the device simulator on COM1.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg -s qt6-serialport-dev qt6-svg-dev libgtest-dev >/dev/null 2>&1; then
  scripts/install-deps.sh
fi
build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo-devsim zuzo
"$build/zuzo-devsim" --port COM1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.5
"$build/zuzo-transport"
