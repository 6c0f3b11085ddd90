#!/usr/bin/env bash
# Builds the project for 64-bit Windows with Debian's mingw-w64 and runs it
# under Wine in a throw-away Wine prefix, under a Russian locale (Windows code
# page 1251, as on the technicians' machines):
#  - with Qt for Windows (QT_WINDOWS_DIR, by default shared/qt-windows beside
#    the repository's folder): zuzo-transport.exe, zuzo.exe and every test
#    program that runs on Windows, run under Wine (offscreen); the companion's
#    device commands against the Linux simulator (zuzo-devsim) through COM
#    ports of the prefix mapped to its pseudo-terminals; and the tool itself on
#    the windows platform plugin under Xvfb, connected through a COM port,
#    reading the program (scripts/windows-tool-shot.sh, the picture goes to
#    build/.../windows-tool.png; SHOT=docs/windows-tool.png puts it there);
#  - without it: the core library, its tests and the programs' resources, and
#    it names what it could not check.
# Tests are counted one by one from GoogleTest's XML reports
# (scripts/gtest-report-count.sh); failed ones are named, and so are the
# tests that are not run on Windows, with the reason. The last line is
# "N passed, M failed"; the exit code is 0 only when nothing failed.
# Needs g++-mingw-w64-x86-64-posix, googletest (sources), wine64, wine,
# locales, and with Qt also Debian's Qt host tools, xvfb, xdotool and
# imagemagick (scripts/install-deps.sh --ci installs them). BUILD_DIR changes
# the Windows build folder (build/windows-qt, without Qt build/windows-check);
# LINUX_BUILD_DIR the Linux build whose zuzo-devsim serves (a folder of its
# own, build/windows-linux, where only zuzo-devsim is built).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
qt=${QT_WINDOWS_DIR:-$(dirname "$repo")/shared/qt-windows}
with_qt=1
if [ ! -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  with_qt=0
fi
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

core_tests=(program_core_tests plans_core_tests link_core_tests tools_core_tests)
qt_tests=(ui_tests app_tests program_qt_tests plans_qt_tests link_qt_tests tools_tests)
# Tests of the programs that are built for Windows but not run there, by
# program: a GoogleTest filter and the reason.
declare -A not_run_filter not_run_reason
not_run_filter[app_tests]=Commands.AboutTextShowsWholeAtTheDefaultFontAndAtHalfAgainAsLarge
not_run_reason[app_tests]="under Wine the About text measures the same width whatever the point size (Wine's default dialog font does not scale), so its fit cannot be checked there"
not_run_filter[ui_tests]=RealFileDialogs.RememberNothingBetweenRuns
not_run_reason[ui_tests]="it gives the dialog a private home folder, which on Windows neither holds Documents nor the dialog's state (the registry does)"
not_run_filter[link_qt_tests]=SerialLinkWindows.AVanishedDeviceClosesTheChannel
not_run_reason[link_qt_tests]="under Wine a COM port whose pseudo-terminal was closed by the simulator keeps answering the link's calls without an error (reads bring nothing), so the lost device shows as a silent one; Windows fails the calls on a removed port"
not_run_filter[program_qt_tests]=FileCommandsTest.FailedSaveKeepsTheOldFileByteForByte
not_run_filter[tools_tests]=PtmCommands.FailedMakeKeepsTheOldFileAndLeavesNoTemporary
not_run_reason[program_qt_tests]="Windows has no per-process file size limit to make a save fail (RLIMIT_FSIZE)"
not_run_reason[tools_tests]=${not_run_reason[program_qt_tests]}
# Test sources not built for Windows at all (tests/*/sources.cmake).
not_built=(
  "link_qt_tests: serial_link_test, connection_test, link_reports_test, transfer_test, preview_discovery_test — the simulated device runs in the test's own process on a pseudo-terminal (checked instead by the device checks above, against zuzo-devsim through COM ports)"
  "tools_tests: device_commands_test, pty_server_test, sim_device_test, frame_parser_test — the simulator and the companion's device commands against it in the same process (the device checks above)"
  "robustness_tests (whole program) — device faults and lost or busy ports on pseudo-terminals in the test's own process, a second Linux process holding a port"
)

if [ $with_qt -eq 1 ]; then
  build=${BUILD_DIR:-build/windows-qt}
  tests=("${core_tests[@]}" "${qt_tests[@]}")
  lap "cross-compiling the programs and their tests against Qt for Windows ($qt) in $build"
  # nlohmann/json is header only: its headers alone, without the rest of the
  # build host's /usr/include.
  mkdir -p "$build/json-include" "$build/json-config"
  ln -sfn /usr/include/nlohmann "$build/json-include/nlohmann"
  cp /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake "$build/json-config/"
  cat >"$build/json-config/nlohmann_jsonConfig.cmake" <<'EOF'
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}/../json-include")
EOF
  generator=()
  if command -v ninja >/dev/null && [ ! -f "$build/Makefile" ]; then generator=(-G Ninja); fi
  cmake -S . -B "$build" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DCMAKE_BUILD_TYPE=Release -DZUZO_WINDOWS_INSTALL=OFF \
    -Dnlohmann_json_DIR="$PWD/$build/json-config" -DZUZO_GTEST_SOURCE_DIR=/usr/src/googletest \
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
  cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo "${tests[@]}"
  # The simulator is a Linux program.
  linux_build=${LINUX_BUILD_DIR:-build/windows-linux}
  lap "the Linux simulator in $linux_build"
  cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=Release -DZUZO_BUILD_TESTS=OFF -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
  cmake --build "$linux_build" -j"$(nproc)" --target zuzo-devsim
  # Qt's Russian catalogue beside the programs, as the installer puts it.
  cp /usr/share/qt6/translations/qtbase_ru.qm "$build/"
  cp /usr/share/qt6/translations/qtbase_ru.qm "$build/tests/"
else
  build=${BUILD_DIR:-build/windows-check}
  tests=("${core_tests[@]}")
  lap "cross-compiling the core and its tests in $build (no Qt for Windows in $qt)"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/mingw-w64-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DZUZO_WITH_QT=OFF -DZUZO_GTEST_SOURCE_DIR=/usr/src/googletest \
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
  cmake --build "$build" -j"$(nproc)" --target "${tests[@]}"
  # The programs' resources: version information, manifest and the tool's
  # icon (the programs themselves need Qt for Windows).
  for program in zuzo-transport zuzo; do
    x86_64-w64-mingw32-windres "$build/win-resources/$program.rc" -O coff -o "$build/$program-rc.obj"
  done
fi

lap "a fresh Wine prefix"
source scripts/wine-common.sh
unset DISPLAY WAYLAND_DISPLAY
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  wine_prefix_end
}
trap cleanup EXIT
wine_prefix_start || exit 2
export ZUZO_TEST_CODE_PAGE=1251

if [ $with_qt -eq 1 ]; then
  # The Qt libraries and the compiler's run-time libraries, found through
  # WINEPATH; the plugins through QT_PLUGIN_PATH.
  runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
  WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthread")"
  QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
  export WINEPATH QT_PLUGIN_PATH
fi

if [ $with_qt -eq 1 ]; then
  # The simulators of the Windows link's own tests (link_qt_tests): one that
  # answers at line speed, one silent, one whose line closes after its first
  # reply, as COM30..COM32 (Wine maps the machine's own serial ports to the
  # first COM numbers whenever it starts).
  mkdir -p "$WINEPREFIX/zuzo-ports"
  chmod 700 "$WINEPREFIX/zuzo-ports"
  n=30
  for faults in "--pace" "--fault silence" "--pace --fault vanish=1"; do
    # shellcheck disable=SC2086 # the faults are words
    "$linux_build/zuzo-devsim" --folder "$WINEPREFIX/zuzo-ports" --port "COM$n" $faults \
      >"$WINEPREFIX/sim$n.out" 2>&1 &
    sims+=($!)
    for _ in $(seq 1 100); do
      [ -s "$WINEPREFIX/sim$n.out" ] && break
      sleep 0.05
    done
    read -r _ pty <"$WINEPREFIX/sim$n.out" || true
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$n"
    n=$((n + 1))
  done
  export ZUZO_TEST_COM_ANSWERING=COM30 ZUZO_TEST_COM_SILENT=COM31 ZUZO_TEST_COM_VANISHING=COM32
fi

passed=0
failed=0
skipped=0
count() { # PROGRAM EXIT_CODE REPORT
  local counted ok bad skip name
  counted=$(scripts/gtest-report-count.sh "$1" "$2" "$3")
  read -r ok bad skip <<<"${counted##*$'\n'}"
  if [ "$bad" -gt 0 ]; then
    while read -r name; do echo "failed: $name"; done <<<"${counted%$'\n'*}"
  fi
  echo "$1: $ok passed, $bad failed, $skip skipped"
  passed=$((passed + ok))
  failed=$((failed + bad))
  skipped=$((skipped + skip))
}

for t in "${tests[@]}"; do
  lap "$t"
  report="$build/tests/$t.xml"
  rm -f "$report"
  filter=()
  if [ -n "${not_run_filter[$t]:-}" ]; then
    filter=(--gtest_filter="-${not_run_filter[$t]}")
    echo "not run under Wine: ${not_run_filter[$t]//:/, } — ${not_run_reason[$t]}"
  fi
  status=0
  # The report's name as Windows spells it, so that an absolute BUILD_DIR works too.
  out=$(QT_QPA_PLATFORM=offscreen wine "$build/tests/$t.exe" --gtest_brief=1 "${filter[@]}" \
    --gtest_output="xml:$(windows_path "$report")" 2>&1) || status=$?
  printf '%s\n' "${out//$'\r'/}"
  count "$t" "$status" "$report"
done

if [ $with_qt -eq 1 ]; then
  lap "zuzo.exe device commands against zuzo-devsim through COM ports of the prefix"
  report="$build/tests/wine_device_checks.xml"
  status=0
  BUILD_DIR=$build LINUX_BUILD_DIR=$linux_build scripts/windows-device-checks.sh "$report" || status=$?
  count wine_device_checks "$status" "$report"

  lap "zuzo-transport.exe on the windows platform plugin under Xvfb, through a COM port"
  report="$build/tests/wine_tool_shot.xml"
  status=0
  BUILD_DIR=$build LINUX_BUILD_DIR=$linux_build \
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/windows-tool-shot.sh "$report" \
    "${SHOT:-$build/windows-tool.png}" || status=$?
  count wine_tool_shot "$status" "$report"

  echo "not built for Windows:"
  for line in "${not_built[@]}"; do echo "  $line"; done
else
  echo "not checked without Qt for Windows (QT_WINDOWS_DIR=$qt): zuzo-transport.exe and zuzo.exe," \
    "the test programs ${qt_tests[*]}, the serial link through COM ports of the prefix," \
    "the tool on the windows platform plugin"
fi
lap "done"
echo "$skipped skipped"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
