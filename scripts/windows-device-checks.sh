#!/usr/bin/env bash
# The companion zuzo.exe under Wine against the Linux simulator: each
# zuzo-devsim serves its pseudo-terminal, which the Wine prefix maps to a COM
# port ($WINEPREFIX/dosdevices/comN), so that zuzo.exe opens it as \\.\COMn
# through the serial link the programs ship with. Each check is one test case
# of a GoogleTest-style XML report, counted by scripts/gtest-report-count.sh.
# The ports are COM22 and up: Wine maps the machine's own serial ports to the
# first COM numbers whenever it starts.
# Called by scripts/windows-check.sh with the prefix, WINEPATH and
# QT_PLUGIN_PATH set; BUILD_DIR is the Windows build, LINUX_BUILD_DIR the
# Linux one with zuzo-devsim.
# Usage: windows-device-checks.sh REPORT
set -euo pipefail
cd "$(dirname "$0")/.."
report=$1
build=${BUILD_DIR:?}
linux_build=${LINUX_BUILD_DIR:?}
: "${WINEPREFIX:?}"
work=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine-device.XXXXXX")
mkdir -p "$work/ports"
chmod 700 "$work/ports"
declare -A sims
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }

# start_sim N SIMULATOR_ARGS...: zuzo-devsim as COMn of the prefix.
start_sim() {
  local n=$1 pty=""
  shift
  "$linux_build/zuzo-devsim" --folder "$work/ports" --port "COM$n" "$@" >"$work/sim$n.out" 2>&1 &
  sims[$n]=$!
  for _ in $(seq 1 100); do
    [ -s "$work/sim$n.out" ] && break
    sleep 0.05
  done
  read -r _ pty <"$work/sim$n.out" || true
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$n"
}
stop_sim() {
  kill "${sims[$1]}" 2>/dev/null || true
  wait "${sims[$1]}" 2>/dev/null || true
  unset "sims[$1]"
}

xml_text() { local s=${1//&/&amp;}; s=${s//</&lt;}; s=${s//>/&gt;}; printf '%s' "${s//\"/&quot;}"; }
cases=()
# check NAME EXPECTED_CODE PATTERN ZUZO_ARGS...: runs zuzo.exe ZUZO_ARGS;
# passes when it ends with EXPECTED_CODE and its output (both streams)
# matches the extended regular expression PATTERN.
check() {
  local name=$1 expected=$2 pattern=$3 code=0 out ms t0
  shift 3
  t0=$(date +%s%N)
  out=$(wine "$build/zuzo.exe" "$@" 2>&1) || code=$?
  ms=$((($(date +%s%N) - t0) / 1000000))
  out=${out//$'\r'/}
  local verdict="ok"
  if [ "$code" -ne "$expected" ]; then
    verdict="exit code $code, expected $expected"
  elif ! grep -Eq -- "$pattern" <<<"$out"; then
    verdict="output does not match /$pattern/"
  fi
  echo "$name: zuzo $* -> $code in $ms ms${verdict:+ ($verdict)}"
  if [ "$verdict" = ok ]; then
    cases+=("<testcase classname=\"WineDevice\" name=\"$name\" status=\"run\" result=\"completed\"/>")
  else
    printf '%s\n' "$out" | sed 's/^/    /'
    cases+=("<testcase classname=\"WineDevice\" name=\"$name\" status=\"run\" result=\"completed\">
<failure message=\"$(xml_text "$verdict")\"/>
</testcase>")
  fi
}

start_sim 23 --pace
start_sim 24 --pace --fault os
start_sim 22 --pace --fault os --fault faulty-frames=1
start_sim 25 --fault silence
start_sim 26 --pace --fault vanish=2
start_sim 27 --pace --fault split=2
start_sim 28 --pace
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
stop_sim 28
check stopped_simulator 1 'COM28' device status --port COM28
check unmapped_port 1 'COM29' device status --port COM29

{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo "<testsuites tests=\"${#cases[@]}\" name=\"wine_device_checks\">"
  echo "<testsuite name=\"WineDevice\" tests=\"${#cases[@]}\">"
  printf '%s\n' "${cases[@]}"
  echo '</testsuite>'
  echo '</testsuites>'
} >"$report"
! grep -q '<failure' "$report"
