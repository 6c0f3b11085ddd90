#!/usr/bin/env bash
# The companion zuzo.exe under Wine against the Linux simulator: each
# zuzo-devsim serves its pseudo-terminal, which the Wine prefix maps to a COM
# port ($WINEPREFIX/dosdevices/comN), so that zuzo.exe opens it as \\.\COMn
# through the serial link the programs ship with. Each check names itself
# and its outcome; the script fails when one of them failed. The ports are
# COM22 and up: Wine maps the machine's own serial ports to the first COM
# numbers whenever it starts.
# The ctest test wine_device_checks of the Windows build (label wine), run
# by scripts/windows-check.sh, which sets up the prefix (WINEPREFIX) and
# names the Linux build's simulator (ZUZO_DEVSIM); without them it is
# skipped (exit code 77).
# Usage: windows-device-checks.sh ZUZO.EXE
set -euo pipefail
cd "$(dirname "$0")/.."
zuzo=$1
if [ -z "${WINEPREFIX:-}" ] || [ -z "${ZUZO_DEVSIM:-}" ]; then
  echo "skipped: no Wine prefix and simulator (WINEPREFIX, ZUZO_DEVSIM): run by scripts/windows-check.sh"
  exit 77
fi
# shellcheck source=scripts/wine-common.sh
source scripts/wine-common.sh
wine_program_paths
work=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine-device.XXXXXX")
cleanup() {
  stop_simulators
  rm -rf "$work"
}
trap cleanup EXIT

failed=0
# check NAME EXPECTED_CODE PATTERN ZUZO_ARGS...: runs zuzo.exe ZUZO_ARGS;
# passes when it ends with EXPECTED_CODE and its output (both streams)
# matches the extended regular expression PATTERN.
check() {
  local name=$1 expected=$2 pattern=$3 code=0 out ms t0 verdict=""
  shift 3
  t0=$(date +%s%N)
  out=$(wine "$zuzo" "$@" 2>&1) || code=$?
  ms=$((($(date +%s%N) - t0) / 1000000))
  out=${out//$'\r'/}
  if [ "$code" -ne "$expected" ]; then
    verdict="exit code $code, expected $expected"
  elif ! grep -Eq -- "$pattern" <<<"$out"; then
    verdict="output does not match /$pattern/"
  fi
  if [ -z "$verdict" ]; then
    echo "ok: $name: zuzo $* -> $code in $ms ms"
  else
    echo "FAILED: $name: zuzo $* -> $code in $ms ms ($verdict)"
    printf '%s\n' "$out" | sed 's/^/    /'
    failed=$((failed + 1))
  fi
}

# serve N SIMULATOR_ARGS...: the simulator as COMn of the prefix.
serve() {
  start_simulator "$work/ports" "$@" || {
    echo "FAILED: zuzo-devsim did not start as COM$1: $(cat "$work/ports/sim$1.out" 2>/dev/null)"
    exit 1
  }
}
serve 23 --pace
serve 24 --pace --fault os
serve 22 --pace --fault os --fault faulty-frames=1
serve 25 --fault silence
serve 26 --pace --fault vanish=2
serve 27 --pace --fault split=2
serve 28 --pace
# Files for read --into to fill, from the example program.
cp examples/site.ptm "$work/device.ptm"
prog=$(windows_path "$work/device.ptm")
site=$(windows_path examples/site.ptm)

check status_json 0 '"device_type": ?25' device status --port COM23 --json
check status_lower_case_name 0 '"device_type": ?25' device status --port com23
check read_into_file 0 '.' device read --port COM23 --into "$prog"
check write_file 0 '.' device write --port COM23 "$prog"
check verify_file 0 '.' device verify --port COM23 "$prog"
check eeprom_fault_breaks 1 'COM24' device read --port COM24
check eeprom_fault_repeated 0 '.' device read --port COM22 --on-eeprom-fault=repeat
check verify_differs 3 '.' device verify --port COM23 "$site"
check silent_device 1 'COM25' device status --port COM25
check vanishing_device 1 'COM26' device read --port COM26
check reply_in_pieces 0 '"device_type": ?25' device status --port COM27 --json
stop_simulator 28
check stopped_simulator 1 'COM28' device status --port COM28
check unmapped_port 1 'COM29' device status --port COM29

echo "$failed of the device checks failed"
[ "$failed" -eq 0 ]
