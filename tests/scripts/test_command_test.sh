#!/usr/bin/env bash
# The test command cannot pass having run nothing: every test preset fails
# on a build folder without tests, and scripts/test.sh builds the tests, with
# warnings as errors, in build/release configured without them by a plain
# cmake (as the README's installation leaves it), while the preset release
# alone (scripts/run.sh) leaves warnings warnings. Judged by the real cmake
# and ctest on copies of the presets and of scripts/test.sh, over a project
# of one test.
set -euo pipefail
# The test command of the suite that runs this check may be another preset.
unset PRESET
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-test-command.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/scripts"
cp "$top/CMakePresets.json" "$work/"
cp "$top/scripts/test.sh" "$work/scripts/"
printf '#!/bin/sh\n' >"$work/scripts/install-deps.sh"
chmod +x "$work/scripts/install-deps.sh"
cat >"$work/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.25)
project(one_test LANGUAGES NONE)
option(ZUZO_BUILD_TESTS "" ON)
option(ZUZO_WERROR "" OFF)
if(ZUZO_BUILD_TESTS)
  enable_testing()
  add_test(NAME one COMMAND true)
  set_tests_properties(one PROPERTIES LABELS "unit;gui;pty")
endif()
PROJECT
cd "$work"
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}

# Every configure preset's folder without tests; every test preset must fail.
mapfile -t configure < <(cmake --list-presets | sed -n 's/^ *"\([^"]*\)".*/\1/p')
mapfile -t tests < <(ctest --list-presets | sed -n 's/^ *"\([^"]*\)".*/\1/p')
[ ${#tests[@]} -ge 4 ] || fail "only ${#tests[@]} test presets listed"
for preset in "${configure[@]}"; do
  cmake --preset "$preset" -DZUZO_BUILD_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE= >"$preset.log" 2>&1 ||
    fail "configure preset $preset: $(tail -3 "$preset.log")"
done
for preset in "${tests[@]}"; do
  if ctest --preset "$preset" >"$preset.ctest" 2>&1 || ! grep -q 'No tests were found' "$preset.ctest"; then
    fail "ctest --preset $preset passes on a folder without tests: $(tail -2 "$preset.ctest")"
  fi
done

# The preset release alone keeps warnings warnings (scripts/run.sh).
grep -qx 'ZUZO_WERROR:BOOL=ON' build/release/CMakeCache.txt && fail "the preset release makes warnings errors"

# build/release as the README's installation leaves it, then the test command.
rm -rf build/release
cmake -S . -B build/release -DZUZO_BUILD_TESTS=OFF >/dev/null
if ! scripts/test.sh >test.log 2>&1; then
  fail "scripts/test.sh after a configure without tests: $(tail -3 test.log)"
fi
grep -q '1 tests passed\|100% tests passed, 0 tests failed out of 1' test.log || fail "scripts/test.sh ran no test"
grep -qx 'ZUZO_WERROR:BOOL=ON' build/release/CMakeCache.txt || fail "scripts/test.sh leaves warnings warnings"
[ "$failed" -eq 0 ] && echo "the test command and every test preset refuse to pass on no tests"
exit "$failed"
