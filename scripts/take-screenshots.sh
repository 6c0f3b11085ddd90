#!/usr/bin/env bash
# Takes the README walkthrough's pictures into docs/ (the user manual shows
# them too): starts zuzo-devsim as COM1 in a private port folder, as COM2
# reporting a damaged EEPROM, and as COM3 reporting it during a read, then
# drives the real tool against them under a virtual X server (xvfb-run) and
# grabs the window after each step.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target zuzo-devsim app_tests
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
trap 'kill ${sim:-} ${sim2:-} ${sim3:-} 2>/dev/null || true; rm -rf "$runtime"' EXIT
# Each returns once its port is published, with the simulator's process id.
sim=$("$build/zuzo-devsim" --port COM1 --detach)
sim2=$("$build/zuzo-devsim" --port COM2 --fault os --detach)
sim3=$("$build/zuzo-devsim" --port COM3 --fault os@88#1 --detach)
ZUZO_WALKTHROUGH_DIR=$PWD/docs QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/app_tests" --gtest_filter='Walkthrough.*'
ls -l docs/walk-*.png
