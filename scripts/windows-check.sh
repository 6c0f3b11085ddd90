#!/usr/bin/env bash
# Builds the project for 64-bit Windows with Debian's mingw-w64 and runs its
# tests through ctest under Wine, in a throw-away Wine prefix under a Russian
# locale (Windows code page 1251, as on the technicians' machines):
#  - with Qt for Windows (QT_WINDOWS_DIR, by default shared/qt-windows beside
#    the repository's folder): the preset windows-cross (build/windows-qt),
#    zuzo-transport.exe, zuzo.exe and every test program built for Windows
#    (labels unit, gui, pty as on Linux), the companion's device commands
#    against the Linux simulator (scripts/windows-device-checks.sh) and the
#    tool on the windows platform plugin under Xvfb
#    (scripts/windows-tool-shot.sh; SHOT=docs/windows-tool.png puts its
#    picture there), both labelled wine;
#  - without it: the preset windows-cross-core (build/windows-check), the
#    core libraries and their tests, and it names what it could not check.
# ctest lists each test program's cases through scripts/wine-run.sh (the
# presets' CMAKE_CROSSCOMPILING_EMULATOR), runs the program once under Wine
# and each case reads its outcome from that run (scripts/wine-tests.sh), so
# it counts the cases by name as on Linux; a test that cannot run
# on Windows or under Wine says so itself (GoogleTest's SKIPPED, with the
# reason), and the reasons are listed at the end. This script sets up what the tests talk to: the prefix, and the
# simulators (zuzo-devsim, built in build/release with the release preset)
# as COM ports of the prefix mapped to their pseudo-terminals. Arguments go
# to ctest (-L gui runs only the tests on widgets). The exit code is ctest's:
# 0 only when nothing failed; 2 when something it needs is missing.
# WINDOWS_BUILD_ONLY=1 stops after the cross build.
# Needs g++-mingw-w64-x86-64-posix, googletest (sources), wine64, wine,
# locales, and with Qt also Debian's Qt host tools, xvfb, xdotool and
# imagemagick (scripts/install-deps.sh --ci installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/wine-common.sh
source scripts/wine-common.sh
qt=$(qt_windows_dir)
with_qt=0
[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] && with_qt=1
needed=(x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres wine wineboot wineserver localedef)
if [ $with_qt -eq 1 ]; then
  needed+=(xvfb-run xdotool import)
fi
for tool in "${needed[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done
start=$(date +%s)
lap() { echo "== $1 ($(($(date +%s) - start)) s)"; }
# WINDOWS_BUILD_ONLY=1: the cross build alone, nothing run (CI starts it
# early, beside other stages; the check itself later finds it built).
built_only() {
  if [ "${WINDOWS_BUILD_ONLY:-0}" = 1 ]; then
    lap "built (WINDOWS_BUILD_ONLY=1: nothing run)"
    exit 0
  fi
}

if [ $with_qt -eq 1 ]; then
  preset=windows-cross
  build=build/windows-qt
  lap "cross-compiling the programs and their tests against Qt for Windows ($qt) in $build"
  cmake --preset $preset -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
  cmake --build --preset $preset -j"$(nproc)"
  # Qt's Russian catalogue beside the programs, as the installer puts it.
  cp /usr/share/qt6/translations/qtbase_ru.qm "$build/"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$build/tests/"
  built_only
  # The simulator is a Linux program: the one of the Linux build.
  lap "the Linux simulator in build/release"
  cmake --preset release >/dev/null
  cmake --build --preset release -j"$(nproc)" --target zuzo-devsim
  ZUZO_DEVSIM=$PWD/build/release/zuzo-devsim
  export ZUZO_DEVSIM
else
  preset=windows-cross-core
  build=build/windows-check
  lap "cross-compiling the core and its tests in $build (no Qt for Windows in $qt)"
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset -j"$(nproc)"
  # The programs' resources: version information, manifest and the tool's
  # icon (the programs themselves need Qt for Windows).
  for program in zuzo-transport zuzo; do
    x86_64-w64-mingw32-windres "$build/win-resources/$program.rc" -O coff -o "$build/$program-rc.obj"
  done
  built_only
fi

lap "a fresh Wine prefix"
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  stop_simulators
  wine_prefix_end
}
trap cleanup EXIT
wine_prefix_start || exit 2
# One Wine server for the whole run, not one started for each test, and
# its background processes started here, where they hold no pipe of
# ctest's.
wineserver --wait
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
export ZUZO_TEST_CODE_PAGE=1251
wine_program_paths

if [ $with_qt -eq 1 ]; then
  # The simulators of the Windows link's own tests (link_pty_tests): one
  # that answers at line speed, one silent, one whose line closes after its
  # first reply.
  ports="$WINEPREFIX/zuzo-ports"
  start_simulator "$ports" 30 --pace && start_simulator "$ports" 31 --fault silence &&
    start_simulator "$ports" 32 --pace --fault vanish=1 || {
    echo "zuzo-devsim did not start: $(cat "$ports"/sim*.out 2>/dev/null)" >&2
    exit 2
  }
  export ZUZO_TEST_COM_ANSWERING=COM30 ZUZO_TEST_COM_SILENT=COM31 ZUZO_TEST_COM_VANISHING=COM32
fi

lap "the tests, through ctest under Wine"
status=0
ctest --preset $preset -j"$(nproc)" "$@" || status=$?
# The tests skipped, each with the reason it gave.
echo "skipped, and why:"
awk '/: Skipped$/ {getline reason; getline name; sub(/^\[  SKIPPED \] /, "", name); sub(/ \(.*$/, "", name)
  print "  " name ": " reason}' "$build/Testing/Temporary/LastTest.log" 2>/dev/null || true
if [ $with_qt -eq 0 ]; then
  echo "not checked without Qt for Windows (QT_WINDOWS_DIR=$qt): zuzo-transport.exe and zuzo.exe," \
    "the test programs on Qt, the serial link through COM ports of the prefix, the tool on the windows" \
    "platform plugin"
fi
lap "done"
exit "$status"
