#!/usr/bin/env bash
# A GoogleTest program of the Windows cross build, started once under the
# 64-bit Wine however many cases it holds, each case still a ctest test of
# its own (tests/CMakeLists.txt, zuzo_test):
#   wine-tests.sh --whole PROGRAM.exe
#       runs every case of PROGRAM (the ctest test named after it), writing
#       what it prints to PROGRAM.wine-run.log beside it as it goes, the
#       program's exit code last; exits 0 once the log is written, for the
#       cases themselves say what failed;
#   wine-tests.sh PROGRAM.exe --gtest_filter=SUITE.CASE ...
#       one case, as ctest runs it (this script is the test programs'
#       emulator): what the case printed in that log, and its outcome, the
#       exit code 1 when it failed, did not end (a crash, a hang stopped by
#       ctest) or never ran;
#   wine-tests.sh PROGRAM.exe --gtest_list_tests ...
#       the list of cases, from the program itself (scripts/wine-run.sh).
set -uo pipefail
here=$(dirname "$0")
if [ "${1:-}" = "--whole" ]; then
  program=$2
  log=${program%.exe}.wine-run.log
  rm -f "$log"
  # shellcheck source=scripts/wine-common.sh
  source "$here/wine-common.sh"
  export WINEDEBUG=${WINEDEBUG:--all}
  [ -n "${WINEPATH:-}" ] || wine_program_paths
  # Into a file, not a pipe: Wine's background processes, which a first
  # program in a prefix starts, may outlive the program and hold what it
  # was given.
  wine "$program" </dev/null >"$log" 2>&1
  status=$?
  echo "[ wine run ] exit code $status" >>"$log"
  # GoogleTest's summary, or where the program stopped.
  if grep -q '^\[==========\] .* ran\.' "$log"; then
    tr -d '\r' <"$log" | sed -n '/^\[==========\] .* ran\./,$p'
  else
    tr -d '\r' <"$log" | tail -20
  fi
  exit 0
fi
program=$1
shift
case=
for argument in "$@"; do
  case $argument in
  --gtest_list_tests) exec "$here/wine-run.sh" "$program" "$@" ;;
  --gtest_filter=*) case=${argument#--gtest_filter=} ;;
  esac
done
log=${program%.exe}.wine-run.log
if [ ! -f "$log" ]; then
  echo "no run of $(basename "$program") to read (${log}): ctest runs the test $(basename "${program%.exe}") first"
  exit 1
fi
# From "[ RUN      ] CASE" to the line that ends it: OK, SKIPPED or FAILED,
# this one followed by the parameter (", where GetParam() = ...") or the time.
awk -v name="$case" '
  { sub(/\r$/, "") }
  function ends(mark) { return index($0, mark name) == 1 && substr($0, length(mark name) + 1, 1) ~ /^[ ,]$/ }
  !inside && $0 == "[ RUN      ] " name { inside = 1 }
  /^\[ wine run \] exit code / { code = $NF }
  inside { print }
  inside && ends("[       OK ] ") { outcome = "ok"; exit }
  inside && ends("[  SKIPPED ] ") { outcome = "ok"; exit }
  inside && ends("[  FAILED  ] ") { outcome = "failed"; exit }
  END {
    if (outcome == "ok") exit 0
    if (outcome == "failed") exit 1
    if (inside) print "the program ended during this case" (code == "" ? ", stopped before it had done" : ", exit code " code)
    else print "the program never ran this case" (code == "" ? "" : " (it ended with exit code " code ")")
    exit 1
  }' "$log"
