#!/usr/bin/env bash
# Builds the Windows installer zuzo-transport-VERSION-win64.exe and tries it
# the way a technician would, under Wine: the two programs are cross-built
# with Debian's mingw-w64 against the Qt for Windows in QT_WINDOWS_DIR
# (default: shared/qt-windows beside the repository's folder), cpack makes
# the NSIS installer, which installs silently (/S, with the programs' folder
# put on the system PATH: /PATH=ALL) into a throw-away Wine prefix under a
# Russian locale, and then once more over that installation. Checked then: the installed files (exactly the libraries
# and plugins the programs load), the resources' language, the Start menu
# shortcut and the tool's working folder, the tool started from the shortcut
# on the windows platform plugin under a virtual X server (its window up and
# staying up), "zuzo --help" by full path and through PATH (CR LF line ends),
# the uninstall entry; after the silent uninstall nothing may be left: no
# file, shortcut, registry key or PATH entry. The last line is
# "N passed, M failed"; the exit code is 0 only when nothing failed.
# Needs g++-mingw-w64-x86-64-posix, nsis, wine, wine32 (NSIS installers are
# 32-bit), chmcmd, xvfb, x11-utils and locales (scripts/install-deps.sh --ci
# installs them). BUILD_DIR changes the build folder (build/installer-check);
# INSTALLER=FILE.exe checks an installer built before instead.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
build=${BUILD_DIR:-build/installer-check}
qt=${QT_WINDOWS_DIR:-$(dirname "$PWD")/shared/qt-windows}
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres makensis \
  chmcmd strings wine wineserver wineboot Xvfb xwininfo localedef; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done
if [ ! -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  echo "no Qt for Windows in $qt (set QT_WINDOWS_DIR): the installer cannot be built or checked" >&2
  exit 2
fi

if [ -n "${INSTALLER:-}" ]; then
  # An installer built before: check that one.
  installer=$(realpath "$INSTALLER")
else
  echo "== cross-compiling the programs and the manual in $build"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_HOST_PATH=/usr \
    -DCMAKE_BUILD_TYPE=Release -DZUZO_BUILD_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
  cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo zuzo_help
  echo "== the installer"
  rm -f "$build"/zuzo-transport-*-win64.exe
  (cd "$build" && cpack -G NSIS >/dev/null)
  installer=$(realpath "$(ls "$build"/zuzo-transport-*-win64.exe)")
fi
echo "$installer: $(($(stat -c %s "$installer") / 1024)) KiB, $(($(date +%s) - start)) s"

echo "== a fresh Wine prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or browser engine wanted
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine.XXXXXX")
unset WAYLAND_DISPLAY
xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# A Russian Windows: code page 1251, and the installer speaks Russian.
export LOCPATH="$WINEPREFIX/locale"
mkdir -p "$LOCPATH"
localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8"
export LC_ALL=ru_RU.UTF-8
# The tool's window goes to a virtual X server of its own.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&3
if ! read -r -t 30 display <&3; then
  echo "the virtual X server (Xvfb) did not start" >&2
  exit 2
fi
export DISPLAY=":$display"
wineboot --init >/dev/null 2>&1
wineserver --wait

passed=0
failed=0
check() { # check NAME COMMAND...: counts and names the result
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
  fi
}
win() { wine "$@" 2>/dev/null | tr -d '\r'; }
drive_c="$WINEPREFIX/drive_c"
instdir="$drive_c/Program Files/Vestorin Zuzo transport"
win_instdir='C:\Program Files\Vestorin Zuzo transport'
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vestorin Zuzo transport"
uninstall_key='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Vestorin Zuzo transport'
environment_key='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
system_path() { win reg query "$environment_key" /v PATH | grep -i ' PATH ' || true; }
bin_on_path() { system_path | grep -qiF "$win_instdir\\bin"; }
uninstall_entry() { win reg query "$uninstall_key" | grep -q DisplayName; }
left_behind() { # every file, folder or registry entry that names the product
  find "$drive_c" \( -iname '*zuzo*' -o -iname '*vestorin*' \) -print
  grep -il 'vestorin\|zuzo' "$WINEPREFIX"/*.reg || true
}

echo "== installing silently, then again over that installation (as an update does)"
wine "$installer" /S /PATH=ALL >/dev/null 2>&1
wineserver --wait
check "the first installation puts the programs' folder on the system PATH" bin_on_path
wine "$installer" /S /PATH=ALL >/dev/null 2>&1
wineserver --wait

expected_dlls=$(printf '%s\n' bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6SerialPort.dll bin/Qt6Svg.dll \
  bin/Qt6Widgets.dll bin/libgcc_s_seh-1.dll bin/libstdc++-6.dll bin/libwinpthread-1.dll \
  bin/platforms/qwindows.dll bin/styles/qwindowsvistastyle.dll | sort)
installed_dlls=$(cd "$instdir" 2>/dev/null && find . -iname '*.dll' | sed 's|^\./||' | sort)
check "the programs, the manual, Qt's Russian catalogue and the uninstaller are installed" \
  test -f "$instdir/bin/zuzo-transport.exe" -a -f "$instdir/bin/zuzo.exe" -a -f "$instdir/bin/help.chm" \
  -a -f "$instdir/bin/qtbase_ru.qm" -a -f "$instdir/help/index.html" -a -f "$instdir/Uninstall.exe"
check "exactly the Qt libraries and plugins the programs load, and the mingw run-time" \
  test "$installed_dlls" = "$expected_dlls"
if [ "$installed_dlls" != "$expected_dlls" ]; then
  diff <(echo "$expected_dlls") <(echo "$installed_dlls") || true
fi
# Every library a program or plugin loads is either installed or Windows'
# own (in the prefix's system32).
missing_imports() {
  local pe dll
  while IFS= read -r -d '' pe; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$pe" | awk '/DLL Name:/ {print $3}'); do
      if ! find "$instdir/bin" "$drive_c/windows/system32" -maxdepth 1 -iname "$dll" | grep -q .; then
        echo "${pe#"$instdir"/} loads $dll, which is not there"
      fi
    done
  done < <(find "$instdir/bin" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
}
missing=$(missing_imports)
[ -n "$missing" ] && echo "$missing"
check "every library the installed programs and plugins load is there" test -z "$missing"
russian_resources() {
  local rc
  rc=$(x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null)
  grep -q '^LANGUAGE 25, 1$' <<<"$rc" && ! grep '^LANGUAGE' <<<"$rc" | grep -qv '^LANGUAGE 25, 1$'
}
check "the resources of zuzo-transport.exe are Russian" russian_resources "$instdir/bin/zuzo-transport.exe"
check "the resources of zuzo.exe are Russian" russian_resources "$instdir/bin/zuzo.exe"

shortcut="$menu/Vestorin Zuzo transport.lnk"
check "a Start menu shortcut for the tool" test -f "$shortcut"
# A shortcut keeps its working folder as a UTF-16 string.
working_folder() {
  local text
  while IFS= read -r text; do
    [ "${text: -${#1}}" = "$1" ] && return 0
  done < <(strings -el "$shortcut")
  return 1
}
check "the shortcut starts the tool in the folder of help.chm" working_folder "$win_instdir\\bin"
check "the uninstall entry is registered" uninstall_entry
check "the programs' folder is on the system PATH" bin_on_path

echo "== the installed tool, started from its shortcut"
window_up() { xwininfo -root -tree 2>/dev/null | grep -q '"Vestorin Zuzo transport'; }
wine start /unix "$shortcut" >/dev/null 2>&1 &
up=no
for _ in $(seq 60); do
  if window_up; then
    up=yes
    break
  fi
  sleep 0.5
done
check "the installed tool shows its window" test "$up" = yes
sleep 3
check "the installed tool is still up 3 s later" window_up
# Closing the window would ask for a confirmation: the prefix's processes
# are ended instead.
wineserver -k 2>/dev/null || true
wineserver --wait

echo "== the installed zuzo"
out="$WINEPREFIX/help.txt"
status=0
wine "$win_instdir\\bin\\zuzo.exe" --help >"$out" 2>/dev/null || status=$?
check "zuzo --help by its full path ends with 0" test "$status" -eq 0
check "zuzo --help tells how to use it, in Russian (UTF-8)" grep -q 'Использование: zuzo ГРУППА КОМАНДА' "$out"
lines=$(tr -cd '\n' <"$out" | wc -c)
crlf=$(grep -c $'\r$' "$out" || true)
check "every line zuzo writes ends in CR LF ($crlf of $lines)" test "$lines" -gt 0 -a "$crlf" -eq "$lines"
wine cmd /c "zuzo --help" >"$out" 2>/dev/null || true
check "zuzo is found through PATH" grep -q 'Использование: zuzo' "$out"
wineserver --wait

echo "== uninstalling silently"
wine "$win_instdir\\Uninstall.exe" /S >/dev/null 2>&1
wineserver --wait
check "the installation folder is gone" test ! -e "$instdir"
check "the Start menu folder is gone" test ! -e "$menu"
check "the uninstall entry is gone" eval '! uninstall_entry'
check "the PATH entry is gone" eval '! bin_on_path'
wineserver --wait
left=$(left_behind)
[ -n "$left" ] && echo "$left"
check "nothing of the product is left in the prefix" test -z "$left"

echo "installer check took $(($(date +%s) - start)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
