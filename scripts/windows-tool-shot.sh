#!/usr/bin/env bash
# The tool under Wine as a person sees it: zuzo-transport.exe on the windows
# platform plugin, on the X server that xvfb-run started, with Qt's Russian
# catalogue beside it. zuzo-devsim serves COM20 of the Wine prefix (Wine
# itself maps the machine's serial ports to the first COM numbers whenever
# it starts); the script chooses COM20 in PortCombo, clicks "Установить
# связь", then "Чтение программы", takes a picture of the
# window, and saves the program read (Ctrl+S); zuzo.exe wrote the example
# site's program into the device before and verifies the file against it
# after. One test case of a GoogleTest-style XML report, counted by
# scripts/gtest-report-count.sh.
# Called by scripts/windows-check.sh inside xvfb-run with the prefix,
# WINEPATH and QT_PLUGIN_PATH set; BUILD_DIR is the Windows build,
# LINUX_BUILD_DIR the Linux one with zuzo-devsim.
# Usage: windows-tool-shot.sh REPORT PICTURE.png
set -euo pipefail
cd "$(dirname "$0")/.."
report=$1
shot=$2
build=${BUILD_DIR:?}
linux_build=${LINUX_BUILD_DIR:?}
: "${WINEPREFIX:?}" "${DISPLAY:?}"
work=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine-tool.XXXXXX")
mkdir -p "$work/ports"
chmod 700 "$work/ports"
sim=""
tool=""
cleanup() {
  [ -n "$tool" ] && kill "$tool" 2>/dev/null
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }
problem=""
fail() { problem=$1; }

# One test case; PROBLEM empty means passed.
write_report() {
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<testsuites tests="1" name="wine_tool_shot"><testsuite name="WineTool" tests="1">'
    if [ -z "$problem" ]; then
      echo '<testcase classname="WineTool" name="ConnectReadAndPicture" status="run" result="completed"/>'
    else
      echo '<testcase classname="WineTool" name="ConnectReadAndPicture" status="run" result="completed">'
      echo "<failure message=\"${problem//\"/&quot;}\"/></testcase>"
    fi
    echo '</testsuite></testsuites>'
  } >"$report"
  if [ -n "$problem" ]; then echo "failed: $problem"; fi
  [ -z "$problem" ]
}

"$linux_build/zuzo-devsim" --folder "$work/ports" --port COM20 --pace >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 1 100); do
  [ -s "$work/sim.out" ] && break
  sleep 0.05
done
read -r _ pty <"$work/sim.out" || true
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com20"
# The example site's optics in the device, unlike those of a new program.
if ! wine "$build/zuzo.exe" device write --port COM20 "$(windows_path examples/site.ptm)" >"$work/write.out" 2>&1; then
  fail "zuzo.exe could not write the example program into the device: $(tr '\n' ' ' <"$work/write.out")"
  write_report
  exit 1
fi

QT_QPA_PLATFORM=windows wine "$build/zuzo-transport.exe" >"$work/tool.out" 2>&1 &
tool=$!
# The first visible window of that title, asked for twice a second until the
# time is up: xdotool's own --sync gives up at the first window that closes
# while it looks (a BadWindow error from the X server).
find_window() {
  local name=$1 tries=$(($2 * 2)) found=
  for _ in $(seq 1 "$tries"); do
    found=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1) || true
    [ -n "$found" ] && break
    sleep 0.5
  done
  echo "$found"
}
window=$(find_window '^Vestorin Zuzo transport$' 120)
if [ -z "$window" ]; then
  fail "the main window did not appear in 120 s"
  write_report
  exit 1
fi
# Places inside the main window as the tool lays it out at its first size
# (Wine draws no frame without a window manager).
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
port_combo=(55 114)
connect_button=(290 114)
read_button=(275 190)
sleep 2
# PortCombo: focused by a click (its list closed again), COM20 typed.
click "${port_combo[@]}"
sleep 1
xdotool key Escape
xdotool type --delay 50 COM20
sleep 1
# Connecting takes well under a second, reading the program about one; the
# pauses leave room for a slow machine.
click "${connect_button[@]}" # "Установить связь"
sleep 5
click "${read_button[@]}" # "Чтение программы "
sleep 6
mkdir -p "$(dirname "$shot")"
import -window "$window" "$shot"
echo "picture: $shot"

# Saved as a new file through the system's save box ("Сохранить").
xdotool windowfocus "$window"
xdotool key --window "$window" ctrl+s
box=$(find_window '^Сохранить$' 30)
if [ -z "$box" ]; then
  fail "Ctrl+S opened no box \"Сохранить\""
  write_report
  exit 1
fi
xdotool windowfocus "$box"
xdotool type --delay 20 "$(windows_path "$work/read.ptm")"
xdotool key Return
for _ in $(seq 1 100); do
  [ -s "$work/read.ptm" ] && break
  sleep 0.2
done
kill "$tool" 2>/dev/null || true
wait "$tool" 2>/dev/null || true
tool=""
if [ ! -s "$work/read.ptm" ]; then
  fail "the program read was not saved"
elif ! wine "$build/zuzo.exe" device verify --port COM20 "$(windows_path "$work/read.ptm")" >"$work/verify.out" 2>&1; then
  # The file saved holds what the device holds: the read went through.
  fail "the program saved differs from the device's: $(tr '\n' ' ' <"$work/verify.out")"
fi
write_report
