#!/usr/bin/env bash
# Takes the pictures of the README and the user manual into docs/:
#  - the walkthrough and troubleshooting pictures (walk-*.png, trouble-*.png),
#    the window "Обмен данными" during a read (transfer-window.png), both
#    pages of the main window as it starts (main-*.png) and the window
#    "О программе" (about-window.png): starts
#    zuzo-devsim, its clock half a minute behind the tests' computer clock
#    (14:05:09 on 7 December 2026), as COM1 in a private port folder, as COM2
#    reporting a damaged EEPROM, as COM3 reporting it during a read, as COM4
#    silent and as COM5 losing its port after three replies, then drives the
#    real tool against them under a virtual X server (xvfb-run) and grabs the
#    window after each step;
#  - the companion writing six ports at once (fleet-ports.png): five paced
#    simulators and one missing port, the command run in xterm under a
#    virtual X server and grabbed with ImageMagick's import (packages xterm,
#    xdotool and imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/release}
for tool in xterm import xdotool; do
  command -v "$tool" >/dev/null || { echo "take-screenshots.sh: $tool is missing (apt-get install xterm imagemagick xdotool)" >&2; exit 2; }
done
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target zuzo-devsim zuzo app_tests
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
sims=()
trap 'kill ${sims[*]:-} 2>/dev/null || true; rm -rf "$runtime"' EXIT
# Each returns once its port is published, with the simulator's process id.
behind=$(($(date -d '2026-12-07 14:05:09' +%s) - $(date +%s) - 30))
sims+=("$("$build/zuzo-devsim" --port COM1 --clock-offset "$behind" --detach)")
sims+=("$("$build/zuzo-devsim" --port COM2 --fault os --clock-offset "$behind" --detach)")
sims+=("$("$build/zuzo-devsim" --port COM3 --fault os@88#1 --clock-offset "$behind" --detach)")
sims+=("$("$build/zuzo-devsim" --port COM4 --fault silence --clock-offset "$behind" --detach)")
sims+=("$("$build/zuzo-devsim" --port COM5 --fault vanish=3 --clock-offset "$behind" --detach)")
ZUZO_WALKTHROUGH_DIR=$PWD/docs ZUZO_SCREENSHOT_DIR=$PWD/docs QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/app_tests" \
  --gtest_filter='Walkthrough.*:Screenshot.*'
kill "${sims[@]}"
sims=()

# The companion on six ports: COM8 has no simulator.
work=$(mktemp -d)
cp examples/site.ptm "$work"
for port in COM3 COM4 COM7 COM9 COM10; do
  sims+=("$("$build/zuzo-devsim" --port "$port" --pace --detach)")
done
cat >"$work/show.sh" <<SHOW
cd "$work"
export PATH="$PWD/$build:\$PATH"
PS1='\$ '
printf '\$ zuzo device write --verify --ports COM3,COM4,COM7-COM10 site.ptm --journal journal.csv\n'
zuzo device write --verify --ports COM3,COM4,COM7-COM10 site.ptm --journal journal.csv
printf '\$ '
touch done
sleep 60
SHOW
# The inner script takes its folders as $0 and $1.
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1600x400x24" bash -c '
  xterm -geometry 158x10 -fa "DejaVu Sans Mono" -fs 9 -bg white -fg black -title zuzo \
    -e bash "$0/show.sh" &
  term=$!
  for _ in $(seq 100); do [ -e "$0/done" ] && break; sleep 0.2; done
  sleep 1 # xterm draws the last lines
  window=$(xdotool search --name "^zuzo$" | head -1)
  import -window "$window" "$1/docs/fleet-ports.png"
  kill $term' "$work" "$PWD"
rm -rf "$work"
ls -l docs/walk-*.png docs/trouble-*.png docs/main-*.png docs/transfer-window.png docs/about-window.png \
  docs/fleet-ports.png
