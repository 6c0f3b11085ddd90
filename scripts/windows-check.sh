#!/usr/bin/env bash
# Builds the core library, its tests and the Windows platform files that need
# no Qt (and the programs' resources) for 64-bit Windows with Debian's
# mingw-w64, and runs the tests under Wine in a throw-away Wine prefix (no
# display needed), under a Russian locale: Windows code page 1251, as on the
# technicians' machines. Tests are counted one by one from GoogleTest's XML
# reports (scripts/gtest-report-count.sh); failed ones are named. The last
# line is "N passed, M failed"; the exit code is 0 only when nothing failed.
# Needs g++-mingw-w64-x86-64-posix, googletest (sources), wine64, wine and
# locales (scripts/install-deps.sh --ci installs them). BUILD_DIR changes the
# build folder (build/windows-check).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/windows-check}
tests=(program_core_tests plans_core_tests link_core_tests tools_core_tests)
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres wine wineboot wineserver localedef; do
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
# Wine takes its code page from the locale: ru_RU.UTF-8 gives 1251 (OEM 866).
# The locale is made in the prefix, so that none needs to be installed.
export LOCPATH="$WINEPREFIX/locale"
mkdir -p "$LOCPATH"
localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8"
export LC_ALL=ru_RU.UTF-8 ZUZO_TEST_CODE_PAGE=1251
wineboot --init >/dev/null 2>&1
wineserver --wait

passed=0
failed=0
skipped=0
for t in "${tests[@]}"; do
  echo "== $t"
  report="$build/tests/$t.xml"
  rm -f "$report"
  status=0
  # The report's name as Windows spells it, so that an absolute BUILD_DIR works too.
  out=$(wine "$build/tests/$t.exe" --gtest_brief=1 --gtest_output="xml:$(winepath -w "$report" 2>/dev/null)" 2>&1) ||
    status=$?
  printf '%s\n' "${out//$'\r'/}"
  counted=$(scripts/gtest-report-count.sh "$t" "$status" "$report")
  read -r ok bad skip <<<"${counted##*$'\n'}"
  if [ "$bad" -gt 0 ]; then
    while read -r name; do echo "failed: $name"; done <<<"${counted%$'\n'*}"
  fi
  echo "$t: $ok passed, $bad failed, $skip skipped"
  passed=$((passed + ok))
  failed=$((failed + bad))
  skipped=$((skipped + skip))
done
echo "$skipped skipped"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
