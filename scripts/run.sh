#!/usr/bin/env bash
# Sets up, builds and starts the tool against the device simulator on COM1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build/release
cmake --preset release -B "$build" >/dev/null
# zuzo_help: the user manual help.chm that "Справка" (F1) opens.
cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo-devsim zuzo zuzo_help
# The tool is a desktop program: without a display (and no Qt platform asked
# for) it cannot show its window.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'HINT'
run.sh: нет графического экрана (DISPLAY и WAYLAND_DISPLAY не заданы), окно программы показать негде.
  - Запустите scripts/run.sh на рабочем столе, или
  - войдите на этот компьютер с рабочего стола по ssh -X и запустите scripts/run.sh там: окно
    появится на вашем рабочем столе, или
  - работайте из командной строки: sim=$(build/release/zuzo-devsim --port COM1 --detach);
    build/release/zuzo device status --port COM1; kill $sim
run.sh: no display (DISPLAY and WAYLAND_DISPLAY are unset). Run it on a desktop, or log in here from
  one with ssh -X and run it then (the window opens on your desktop), or use build/release/zuzo and
  build/release/zuzo-devsim from the command line.
HINT
  exit 1
fi
# Returns once COM1 is published, with the simulator's process id.
sim=$("$build/zuzo-devsim" --port COM1 --detach)
trap 'kill $sim 2>/dev/null || true' EXIT
# Started in the build folder, where the build puts help.chm: "Справка" (F1)
# opens help.chm from the working folder.
(cd "$build" && ./zuzo-transport)
