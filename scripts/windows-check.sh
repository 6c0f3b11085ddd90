#!/usr/bin/env bash
# Builds the core library, its tests and the Windows platform files that need
# no Qt (and the programs' resources) for 64-bit Windows with Debian's
# mingw-w64, and runs the tests under Wine in a throw-away Wine prefix (no
# display needed). The last line is "N passed, M failed"; the exit code is 0
# only when nothing failed.
# Needs g++-mingw-w64-x86-64-posix, googletest (sources), wine64 and wine
# (scripts/install-deps.sh --ci installs them). BUILD_DIR changes the build
# folder (build/windows-check).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/windows-check}
tests=(program_core_tests plans_core_tests link_core_tests)
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres wine wineboot wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done

echo "== cross-compiling the core and its tests in $build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/mingw-w64-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZUZO_WITH_QT=OFF -DZUZO_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${tests[@]}"
# The programs' resources: version information, manifest and the tool's icon
# (the programs themselves need Qt for Windows).
for program in zuzo-transport zuzo; do
  x86_64-w64-mingw32-windres "$build/win-resources/$program.rc" -O coff -o "$build/$program-rc.obj"
done

echo "== a fresh Wine prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or browser engine wanted
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine.XXXXXX")
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineboot --init >/dev/null 2>&1
wineserver --wait

passed=0
failed=0
for t in "${tests[@]}"; do
  echo "== $t"
  status=0
  out=$(wine "$build/tests/$t.exe" --gtest_brief=1 2>&1) || status=$?
  out=${out//$'\r'/}
  printf '%s\n' "$out"
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' <<<"$out" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' <<<"$out" | tail -1)
  ok=${ok:-0}
  bad=${bad:-0}
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then
    echo "$t ended with code $status before reporting its tests"
    bad=1
  fi
  passed=$((passed + ok))
  failed=$((failed + bad))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
