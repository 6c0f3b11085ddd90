#!/usr/bin/env bash
# Builds the Windows installer zuzo-transport-VERSION-win64.exe (64-bit, in
# Russian) and tries it the way a technician would, under the 64-bit Wine
# alone: the two programs are cross-built with Debian's mingw-w64 against the
# Qt for Windows in QT_WINDOWS_DIR (default: shared/qt-windows beside the
# repository's folder) with the preset windows-cross, in the build folder of
# scripts/windows-check.sh (build/windows-qt), which has built them already
# when it ran first, cpack makes the NSIS installer, which installs into a
# throw-away Wine prefix under a Russian locale:
#  - silently with the programs' folder on the system PATH (/PATH=ALL), and
#    once more over that installation (as an update does). Checked then: the
#    installer itself (64-bit, Russian version information), the installed
#    files (exactly the libraries and plugins the programs load, the notices
#    of other authors' components with their licence texts, every DLL and
#    run-time piece in the programs named there: scripts/notices-check.sh),
#    the files stripped, the uninstaller's own version information, the
#    resources' language, the Start menu shortcut and the tool's working
#    folder, the
#    tool started from the shortcut on the windows platform plugin under a
#    virtual X server (its window up and staying up), "zuzo --help" by full
#    path and through PATH (CR LF line ends), the uninstall entry in the
#    64-bit registry view; after the silent uninstall nothing may be left: no
#    file, shortcut, registry key or PATH entry;
#  - through its pages, as a person clicks through them (Enter on each, the
#    defaults taken): the window speaks Russian, the programs' folder goes on
#    the system PATH, and the finish page starts the tool through the
#    desktop's shell; then once more over that installation ("Нет" to the
#    question) for the current user: uninstalling takes the folder off both
#    PATHs;
#  - silently with the folder on the current user's PATH (/PATH=USER):
#    uninstalling leaves the user's environment as it was;
#  - with system PATHs of 1,000, 2,000 and 4,000 characters: after the
#    installation the value is, byte for byte, the one before with the
#    folder added, after uninstalling the one before; a PATH that would grow
#    past Windows' limit and an unknown /PATH value are refused (exit code
#    2, the reason in the log, nothing installed, PATH as it was);
#  - signed: the installer and the portable ZIP are made with a throw-away
#    code-signing certificate made here (openssl); every program and
#    library, the setup helper, the uninstaller and the installer verify
#    against it (osslsigncode verify), a program changed afterwards does not;
#  - only for the current user (/CURRENTUSER, and through the pages, whose
#    choice for a user without an administrator's rights it is) as such a
#    user (ZUZO_SETUP_AS_USER=1: under Wine every program has an
#    administrator's rights): the user's programs folder, uninstall entry,
#    Start menu and PATH, no rights asked for, nothing left after
#    uninstalling; for all users by such a user (the installer runs itself
#    again with the rights) beside an installation for that user, each
#    uninstalled on its own; /ALLUSERS with /CURRENTUSER and /PATH=ALL with
#    /CURRENTUSER refused;
#  - the portable ZIP unpacked into a folder with a Cyrillic name made
#    read-only (a read-only bind mount): zuzo.exe reads a program file and
#    writes one into the folder picked, the tool starts and opens and closes
#    the save box; the prefix's files and registry are as before.
# The last line is "N passed, M failed"; the exit code is 0 only when nothing
# failed, 2 when the check cannot run (with the reason in one line).
# Needs g++-mingw-w64-x86-64-posix, nsis, wine and wine64 (no wine32), chmcmd,
# xvfb, x11-utils, xdotool and locales (scripts/install-deps.sh --ci installs
# them). BUILD_DIR changes the build folder (build/windows-qt);
# INSTALLER=FILE.exe checks an installer built before instead (its
# signatures are then not checked), PORTABLE=FILE.zip a portable copy.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
build=${BUILD_DIR:-build/windows-qt}
# shellcheck source=scripts/wine-common.sh
source scripts/wine-common.sh
qt=$(qt_windows_dir)
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres \
  x86_64-w64-mingw32-nm makensis chmcmd strings iconv wine wineserver wineboot Xvfb xwininfo xdotool localedef \
  osslsigncode openssl unzip; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done
if [ ! -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  echo "no Qt for Windows in $qt (set QT_WINDOWS_DIR): the installer cannot be built or checked" >&2
  exit 2
fi

# A throw-away code-signing certificate in FOLDER: cert.pem, and test.p12
# with its key, whose password (Cyrillic, as a company's may be) is
# $signing_password.
signing_password='пароль подписи'
make_test_certificate() {
  if ! openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=Vestorin test signing/O=Vestorin' \
    -addext extendedKeyUsage=codeSigning -keyout "$1/key.pem" -out "$1/cert.pem" >"$1/openssl.log" 2>&1 ||
    ! openssl pkcs12 -export -inkey "$1/key.pem" -in "$1/cert.pem" -out "$1/test.p12" \
      -passout "pass:$signing_password" >>"$1/openssl.log" 2>&1; then
    echo "openssl could not make the test certificate: $(tail -1 "$1/openssl.log")" >&2
    return 2
  fi
}
# Whether FILE carries a valid signature by the test certificate.
signed_by_test() { osslsigncode verify -CAfile "$signing/cert.pem" -in "$1" >/dev/null 2>&1; }
signing=

if [ -n "${INSTALLER:-}" ]; then
  # An installer built before: check that one.
  installer=$(realpath "$INSTALLER")
else
  echo "== cross-compiling the programs and the manual in $build"
  cmake --preset windows-cross -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    >/dev/null
  cmake --build "$build" -j"$(nproc)" --target zuzo-transport zuzo zuzo-setup-helper zuzo_help
  # Signed with a throw-away certificate made here (a company's
  # certificate in ZUZO_SIGN_CERT takes its place in a release): what is
  # checked below is the signed installer and the signed programs.
  signing=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-sign.XXXXXX")
  make_test_certificate "$signing" || exit 2
  export ZUZO_SIGN_CERT="$signing/test.p12" ZUZO_SIGN_PASSWORD="$signing_password"
  echo "== the installer and the portable copy, signed with a test certificate"
  rm -f "$build"/zuzo-transport-*-win64.exe "$build"/zuzo-transport-*-win64-portable.zip
  for generator in NSIS ZIP; do
    if ! (cd "$build" && cpack -G $generator) >"$build/cpack-$generator.log" 2>&1; then
      echo "cpack could not make the $generator package: $(grep -m1 -i error "$build/cpack-$generator.log")" \
        "(makensis's output: $build/_CPack_Packages/win64/NSIS/NSISOutput.log)" >&2
      exit 2
    fi
  done
  unset ZUZO_SIGN_CERT ZUZO_SIGN_PASSWORD
  installer=$(realpath "$(ls "$build"/zuzo-transport-*-win64.exe)")
  PORTABLE=$(realpath "$(ls "$build"/zuzo-transport-*-win64-portable.zip)")
fi
portable=${PORTABLE:-}
echo "$installer: $(($(stat -c %s "$installer") / 1024)) KiB, $(($(date +%s) - start)) s"

echo "== a fresh Wine prefix"
unset WAYLAND_DISPLAY
xvfb=
read_only=
cleanup() {
  [ -n "$read_only" ] && umount "$read_only" 2>/dev/null
  [ -n "$signing" ] && rm -rf "$signing"
  wine_prefix_end
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# The installer's pages and the tool's window go to a virtual X server of
# their own.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&3
if ! read -r -t 30 display <&3; then
  echo "the virtual X server (Xvfb) did not start within 30 s" >&2
  exit 2
fi
export DISPLAY=":$display"
wine_prefix_start || exit 2

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
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vestorin Zuzo transport'
environment_key='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
system_path() { win reg query "$environment_key" /v PATH | grep -i ' PATH ' || true; }
bin_on_path() { system_path | grep -qiF "$win_instdir\\bin"; }
user_environment() { win reg query 'HKCU\Environment'; }
uninstall_entry() { win reg query "$uninstall_key" | grep -q DisplayName; }
left_behind() { # every file, folder or registry entry that names the product (but its log)
  find "$drive_c" \( -iname '*zuzo*' -o -iname '*vestorin*' \) ! -name zuzo-transport-setup.log -print
  grep -i 'vestorin\|zuzo' "$WINEPREFIX"/*.reg || true
}
uninstall() {
  wine "$win_instdir\\Uninstall.exe" /S >/dev/null 2>&1
  wineserver --wait
}
# The system PATH as the registry holds it: its type and bytes in hex, as
# "reg export" writes them (hex(2): REG_EXPAND_SZ).
path_bytes() {
  wine reg export "$environment_key" 'C:\env.reg' /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$drive_c/env.reg" | tr -d '\r' |
    awk 'tolower($0) ~ /^"path"=/ {on = 1} on {print; if (!/\\$/) exit}' | tr -d ' \\\n' | sed 's/^"[^"]*"=//'
}
hex_of() { printf '%s' "$1" | iconv -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/$/00,00/'; }
set_path_bytes() { # the system PATH set to exactly these bytes
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"Path"=%s\r\n' \
    "${environment_key/HKLM/HKEY_LOCAL_MACHINE}" "$1" | iconv -t UTF-16 >"$drive_c/env.reg"
  wine reg import 'C:\env.reg' >/dev/null 2>&1
}
setup_log() { iconv -f UTF-16 -t UTF-8 "$drive_c/users/$(whoami)/Temp/zuzo-transport-setup.log" 2>/dev/null | tr -d '\r'; }
# FileDescription of a program's version information, decoded.
description() {
  local text
  text=$(x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | sed -n 's/.*"FileDescription", L\{0,1\}"\(.*\)"/\1/p')
  printf '%b' "${text//\\x/\\u}"
}
nothing_left() {
  local left
  left=$(left_behind)
  [ -n "$left" ] && echo "$left"
  [ -z "$left" ]
}

echo "== the installer file"
sixty_four_bit() { [[ "$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$installer")" == *"file format pei-x86-64"* ]]; }
check "the installer is a 64-bit program" sixty_four_bit
version_info=$(x86_64-w64-mingw32-windres -i "$installer" -O rc 2>/dev/null | sed -n '/VERSIONINFO/,$p')
version=$(basename "$installer" | sed 's/^zuzo-transport-\(.*\)-win64\.exe$/\1/')
installer_version_info() {
  grep -q 'BLOCK "0419' <<<"$version_info" && grep -q '"ProductName", "Vestorin Zuzo transport"' <<<"$version_info" &&
    grep -q '"CompanyName", "Vestorin"' <<<"$version_info" &&
    grep -q "\"ProductVersion\", \"$version\"" <<<"$version_info" &&
    [ "$(description "$installer")" = "Установка Vestorin Zuzo transport" ]
}
check "the installer's version information: product, version $version, company, in Russian" installer_version_info

if [ -n "$signing" ]; then
  echo "== the signatures, with the test certificate"
  unpacked="$signing/portable"
  unzip -q "$portable" -d "$unpacked"
  mapfile -t signed_files < <(printf '%s\n' "$installer" "$build/_CPack_Packages/win64/NSIS/zuzo-setup-helper.exe" \
    "$build/_CPack_Packages/win64/NSIS/Uninstall.exe"
    find "$unpacked" \( -iname '*.exe' -o -iname '*.dll' \) | sort)
  unsigned=$(for file in "${signed_files[@]}"; do signed_by_test "$file" || echo "${file#"$PWD"/}"; done)
  [ -n "$unsigned" ] && echo "no valid signature: $unsigned"
  check "the installer, its helper, the uninstaller and each program and library of the portable copy (${#signed_files[@]} in all) carry a valid signature" \
    test -z "$unsigned"
  # One byte changed in the middle of a signed program: the check sees it.
  cp "$unpacked"/*/bin/zuzo.exe "$signing/changed.exe"
  printf 'Z' | dd of="$signing/changed.exe" bs=1 seek=40000 conv=notrunc status=none
  check "a signed program changed afterwards fails the verification" eval '! signed_by_test "$signing/changed.exe"'
fi

echo "== installing silently, then again over that installation (as an update does)"
wine "$installer" /S >/dev/null 2>&1
wineserver --wait
check "the first installation puts the programs' folder on the system PATH (the default)" bin_on_path
wine "$installer" /S /PATH=ALL >/dev/null 2>&1
wineserver --wait

expected_dlls=$(printf '%s\n' bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Svg.dll \
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
# Every licence text the notices name is installed; every DLL and run-time
# piece in the programs is named (and the check finds a piece unnamed).
licences_there() {
  local licence text
  text=$(tr -d '\r' <"$instdir/bin/THIRD-PARTY.txt")
  for licence in $(grep -o 'licenses/[A-Za-z0-9./-]*\.\(txt\|sh\|patch\)' <<<"$text" | sort -u); do
    [ -s "$instdir/bin/$licence" ] || { echo "$licence is not installed"; return 1; }
  done
}
check "the licence texts, the Qt recipe and the offer of the source that THIRD-PARTY.txt names are installed" \
  eval 'licences_there && test -s "$instdir/bin/SOURCE-OFFER.txt"'
maps=("$build"/link-maps/zuzo-transport.map "$build"/link-maps/zuzo.map "$build"/link-maps/zuzo-setup-helper.map)
check "THIRD-PARTY.txt names every DLL installed and every run-time piece linked into the programs" \
  scripts/notices-check.sh "$instdir/bin" "${maps[@]}"
grep -v 'Lucent' "$instdir/bin/THIRD-PARTY.txt" >"$WINEPREFIX/no-gdtoa.txt"
check "the notices check fails on notices that leave out gdtoa's licence" \
  eval '! scripts/notices-check.sh --notices "$WINEPREFIX/no-gdtoa.txt" "$instdir/bin" "${maps[@]}" >/dev/null'
# Nothing shipped that nothing loads: each DLL is imported by an installed
# program or library, or is a plugin Qt loads.
unneeded_dlls() {
  local imports dll
  imports=$(find "$instdir/bin" \( -iname '*.exe' -o -iname '*.dll' \) -exec env LC_ALL=C x86_64-w64-mingw32-objdump -p {} \; |
    awk '/DLL Name:/ {print tolower($3)}' | sort -u)
  while IFS= read -r dll; do
    grep -qx "${dll,,}" <<<"$imports" || echo "$dll is installed, but nothing imports it"
  done < <(find "$instdir/bin" -maxdepth 1 -iname '*.dll' -printf '%f\n')
}
unneeded=$(unneeded_dlls)
[ -n "$unneeded" ] && echo "$unneeded"
check "every DLL installed is one a program, library or plugin imports" test -z "$unneeded"
not_stripped() { # the programs and libraries that still have symbols
  find "$instdir" \( -iname '*.exe' -o -iname '*.dll' \) -exec sh -c \
    'LC_ALL=C x86_64-w64-mingw32-nm "$1" 2>&1 | grep -q "no symbols" || echo "$1"' _ {} \;
}
unstripped=$(not_stripped)
[ -n "$unstripped" ] && echo "not stripped: $unstripped"
check "every program and library installed is stripped ($(du -sm "$instdir" | cut -f1) MB installed)" \
  test -z "$unstripped"
check "Uninstall.exe describes itself as the uninstaller" \
  eval '[[ "$(description "$instdir/Uninstall.exe")" == "Удаление Vestorin Zuzo transport" ]]'
# Every library a program or plugin loads is either installed or Windows'
# own: in the prefix's system32, or an API set (api-ms-win-*, ext-ms-*),
# which the system's loader resolves itself.
missing_imports() {
  local pe dll
  while IFS= read -r -d '' pe; do
    for dll in $(LC_ALL=C x86_64-w64-mingw32-objdump -p "$pe" | awk '/DLL Name:/ {print $3}'); do
      case "${dll,,}" in api-ms-win-* | ext-ms-*) continue ;; esac
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
check "the uninstall entry is registered in the 64-bit registry view" uninstall_entry
if [ -n "$signing" ]; then
  check "the installed programs and the uninstaller carry their signatures" \
    eval 'signed_by_test "$instdir/bin/zuzo-transport.exe" && signed_by_test "$instdir/bin/zuzo.exe" &&
      signed_by_test "$instdir/Uninstall.exe"'
fi
check "the programs' folder is on the system PATH" bin_on_path

echo "== the installed tool, started from its shortcut"
window_up() { xwininfo -root -tree 2>/dev/null | grep -q '"Vestorin Zuzo transport'; }
wine start /unix "$shortcut" >/dev/null 2>&1 &
check "the installed tool shows its window" wait_for 60 window_up
# Up 3 s later still: it did not fall over after showing its window.
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
uninstall
check "the installation folder is gone, the notices with it" test ! -e "$instdir"
check "the Start menu folder is gone" test ! -e "$menu"
check "the uninstall entry is gone" eval '! uninstall_entry'
check "the PATH entry is gone" eval '! bin_on_path'
check "nothing of the product is left in the prefix" nothing_left

echo "== installing through the pages, Enter on each"
# The installer's window keeps its title from page to page (a subtitle
# may follow); Enter takes
# the default button of whichever page is up (Далее, Принимаю, Установить,
# Готово with "Запустить" ticked), until the window is gone.
installer_window() { xdotool search --onlyvisible --name '^Установка Vestorin Zuzo transport' 2>/dev/null | head -1; }
wine "$installer" >/dev/null 2>&1 &
pages=$!
check "the installer's window is titled in Russian" wait_for 60 eval '[ -n "$(installer_window)" ]'
through_pages() { # until the installer ($pages) has ended
  local window
  kill -0 "$pages" 2>/dev/null || return 0
  window=$(installer_window)
  [ -n "$window" ] && { xdotool windowfocus "$window" key --window "$window" Return 2>/dev/null || true; }
  sleep 1 # one page a second at most: the page before the finish page is not skipped
  return 1
}
check "Enter on each page installs and closes the installer" wait_for 120 through_pages
wait "$pages" 2>/dev/null || true
check "the finish page starts the tool, through the desktop's shell" eval \
  'wait_for 60 window_up && setup_log | grep -q "запущена от имени пользователя рабочего стола"'
check "taking the defaults puts the programs' folder on the system PATH" bin_on_path
wineserver -k 2>/dev/null || true
wineserver --wait

# Over that installation, for all users again (the page of whom to install
# for offers the installed version's choice), with the folder on the
# current user's PATH this time (/PATH=USER ticks it on the options page):
# Enter on the pages up to the question about the installed version, which
# comes as a second window of the installer's title, "Нет" there (Tab to the
# button, Enter) until it gives way to the pages. The installer's log shows
# that no uninstaller ran.
# shellcheck disable=SC2034 # read in the eval below
log_before=$(setup_log | wc -l)
wine "$installer" /PATH=USER >/dev/null 2>&1 &
pages=$!
installer_windows() { xdotool search --onlyvisible --name '^Установка Vestorin Zuzo transport' 2>/dev/null; }
main_window=
question=
wait_for 60 eval '[ -n "$(installer_window)" ]' && main_window=$(installer_window)
question_up() { # Enter on the page that is up, until the question is
  question=$(installer_windows | grep -vx "$main_window" | head -1)
  [ -n "$question" ] && return 0
  xdotool windowfocus "$main_window" key --window "$main_window" Return 2>/dev/null || true
  sleep 1
  return 1
}
answered() { ! installer_windows | grep -qx "$question"; }
if wait_for 60 question_up; then
  for _ in 1 2 3; do
    xdotool windowfocus "$question" 2>/dev/null && xdotool key Tab Return 2>/dev/null
    wait_for 10 answered && break
  done
fi
check "installed over it (\"Нет\") for the current user through the pages" \
  eval 'wait_for 120 through_pages && ! setup_log | tail -n +$((log_before + 1)) | grep -q "^Удаление"' 
wait "$pages" 2>/dev/null || true
wait_for 60 window_up || true
wineserver -k 2>/dev/null || true
wineserver --wait
user_has_bin() { user_environment | grep -i " PATH " | grep -qiF "$win_instdir\\bin"; }
check "the folder moved from the system PATH to the user's" eval '! bin_on_path && user_has_bin'
uninstall
check "uninstalling takes it off both PATHs" eval '! bin_on_path && ! user_has_bin'
check "uninstalling after that leaves nothing behind" nothing_left

echo "== installing silently for the current user's PATH"
environment_before=$(user_environment)
wine "$installer" /S /PATH=USER >/dev/null 2>&1
wineserver --wait
check "/PATH=USER puts the programs' folder on the user's PATH" user_has_bin
check "/PATH=USER leaves the system PATH alone" eval '! bin_on_path'
uninstall
check "uninstalling leaves the user's environment as it was" test "$(user_environment)" = "$environment_before"
check "and nothing else behind" nothing_left

echo "== installing only for the current user, as a user without an administrator's rights"
# ZUZO_SETUP_AS_USER=1 makes the installer's helper take its rights for a
# standard user's (under Wine every program has an administrator's).
as_user() { ZUZO_SETUP_AS_USER=1 wine "$@" >/dev/null 2>&1; }
user_profile="$drive_c/users/$(whoami)"
# shellcheck disable=SC2034 # read in the evals below
user_dir="$user_profile/AppData/Local/Programs/Vestorin Zuzo transport"
win_user_dir="C:\\users\\$(whoami)\\AppData\\Local\\Programs\\Vestorin Zuzo transport"
user_menu="$user_profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vestorin Zuzo transport"
user_uninstall_entry() { win reg query "${uninstall_key/HKLM/HKCU}" | grep -q DisplayName; }
user_has() { user_environment | grep -i " PATH " | grep -qiF "$1"; }
new_log_lines() { setup_log | tail -n +$((log_before + 1)); }
environment_before=$(user_environment)
# shellcheck disable=SC2034 # read in the evals below
system_before=$(path_bytes)
log_before=$(setup_log | wc -l)
status=0
as_user "$installer" /S /CURRENTUSER || status=$?
wineserver --wait
check "/CURRENTUSER installs into the user's own programs folder (exit code $status)" \
  eval '[ "$status" -eq 0 ] && [ -f "$user_dir/bin/zuzo-transport.exe" ] && [ -f "$user_dir/Uninstall.exe" ] &&
    [ ! -e "$instdir" ]'
check "without an administrator's rights: the installer asked for none" \
  eval 'new_log_lines | grep -q "только для текущего пользователя" && ! new_log_lines | grep -q "Нужны права"'
check "the uninstall entry is the user's, the machine's registry has none" \
  eval 'user_uninstall_entry && ! uninstall_entry'
check "the Start menu shortcut is the user's" test -f "$user_menu/Vestorin Zuzo transport.lnk" -a ! -e "$menu"
check "the programs' folder is on the user's PATH, the system PATH as it was" \
  eval 'user_has "$win_user_dir\\bin" && [ "$(path_bytes)" = "$system_before" ]'
wine cmd /c "zuzo --help" >"$out" 2>/dev/null || true
check "zuzo is found through the user's PATH" grep -q 'Использование: zuzo' "$out"
wineserver --wait
as_user "$win_user_dir\\Uninstall.exe" /S
wineserver --wait
check "uninstalling as that user leaves the user's environment and the system PATH as they were" \
  eval '[ "$(user_environment)" = "$environment_before" ] && [ "$(path_bytes)" = "$system_before" ]'
check "and nothing else, not the programs folder it made" \
  eval 'nothing_left && [ ! -e "$user_profile/AppData/Local/Programs" ]'

echo "== through the pages as a user without an administrator's rights, Enter on each"
# For such a user the page of whom to install for offers "только для меня".
log_before=$(setup_log | wc -l)
ZUZO_SETUP_AS_USER=1 wine "$installer" >/dev/null 2>&1 &
pages=$!
check "Enter on each page installs for that user alone, asking for no rights" \
  eval 'wait_for 60 eval "[ -n \"\$(installer_window)\" ]" && wait_for 120 through_pages &&
    [ -f "$user_dir/bin/zuzo.exe" ] && user_uninstall_entry && ! uninstall_entry && ! new_log_lines | grep -q "Нужны права"'
wait "$pages" 2>/dev/null || true
wait_for 60 window_up || true
wineserver -k 2>/dev/null || true
wineserver --wait
as_user "$win_user_dir\\Uninstall.exe" /S
wineserver --wait
check "uninstalling it leaves nothing behind" nothing_left

echo "== for all users, started by a user without an administrator's rights, beside one for that user"
log_before=$(setup_log | wc -l)
as_user "$installer" /S
wineserver --wait
check "the installer runs itself again with an administrator's rights, for all users" \
  eval 'new_log_lines | grep -q "Нужны права администратора" && uninstall_entry && bin_on_path &&
    [ -f "$instdir/bin/zuzo.exe" ]'
as_user "$installer" /S /CURRENTUSER
wineserver --wait
check "an installation for the user beside it: both registered, each with its own files" \
  eval 'uninstall_entry && user_uninstall_entry && [ -f "$user_dir/bin/zuzo.exe" ] && [ -f "$instdir/bin/zuzo.exe" ]'
as_user "$win_user_dir\\Uninstall.exe" /S
wineserver --wait
check "uninstalling the user's leaves the one for all users whole" \
  eval '! user_uninstall_entry && [ ! -e "$user_dir" ] && uninstall_entry && bin_on_path && [ -f "$instdir/bin/zuzo.exe" ]'
log_before=$(setup_log | wc -l)
as_user "$win_instdir\\Uninstall.exe" /S
wineserver --wait
check "uninstalling the one for all users as that user runs with an administrator's rights and leaves nothing" \
  eval 'new_log_lines | grep -q "Нужны права администратора" && ! uninstall_entry && ! bin_on_path && nothing_left'

echo "== long system PATHs, byte for byte"
# Entries as on workstations: variables, spaces, Cyrillic letters.
entries='%SystemRoot%\system32;%SystemRoot%;C:\Program Files\Утилиты станции;D:\Инструменты\bin;'
entries+='%ProgramFiles%\Common Files\Vendor Tools 2.0;C:\ProgramData\chocolatey\bin;'
long_path() {
  local text=""
  while [ ${#text} -lt "$1" ]; do text+=$entries; done
  printf '%s' "${text:0:$1}"
}
original=$(path_bytes)
for length in 1000 2000 4000; do
  text=$(long_path "$length")
  # One of them ends with a separator, which stays at the end.
  [ "$length" -eq 2000 ] && text="${text:0:1999};"
  grown="$text;$win_instdir\\bin"
  [ "${text: -1}" = ";" ] && grown="$text$win_instdir\\bin;"
  set_path_bytes "hex(2):$(hex_of "$text")"
  before=$(path_bytes)
  wine "$installer" /S >/dev/null 2>&1
  wineserver --wait
  check "a system PATH of ${#text} characters gains the folder at its end, the rest byte for byte" \
    test "$(path_bytes)" = "hex(2):$(hex_of "$grown")"
  uninstall
  check "uninstalling gives that PATH back byte for byte" test "$(path_bytes)" = "$before"
done

echo "== what the installer refuses"
set_path_bytes "hex(2):$(hex_of "$(long_path 32760)")"
before=$(path_bytes)
status=0
wine "$installer" /S >/dev/null 2>&1 || status=$?
wineserver --wait
check "a PATH that would grow past Windows' limit: exit code 2 ($status), PATH as it was, nothing installed" \
  eval '[ "$status" -eq 2 ] && [ "$(path_bytes)" = "$before" ] && [ ! -e "$instdir" ] && ! uninstall_entry'
check "the log says why: $(setup_log | tail -1 | cut -c21-)" eval 'setup_log | tail -1 | grep -q "длиннее 32766 знаков"'
set_path_bytes "$original"
status=0
wine "$installer" /S /PATH=ALLUSERS >/dev/null 2>&1 || status=$?
wineserver --wait
check "an unknown /PATH value is refused: exit code 2 ($status), nothing installed" \
  eval '[ "$status" -eq 2 ] && [ ! -e "$instdir" ] && setup_log | tail -1 | grep -q "/PATH=ALLUSERS"'
for call in "/ALLUSERS /CURRENTUSER" "/CURRENTUSER /PATH=ALL"; do
  status=0
  # shellcheck disable=SC2086 # the options, one word each
  wine "$installer" /S $call >/dev/null 2>&1 || status=$?
  wineserver --wait
  check "$call is refused: exit code 2 ($status), nothing installed, the log says why" \
    eval '[ "$status" -eq 2 ] && [ ! -e "$instdir" ] && [ ! -e "$user_dir" ] &&
      setup_log | tail -1 | grep -q "Ничего не установлено"'
done
check "nothing is left behind" nothing_left

if [ -n "$portable" ]; then
  echo "== the portable copy, run from a read-only folder with a Cyrillic name"
  # Unpacked into a folder as a technician's USB stick would hold it, then
  # made read-only by a read-only bind mount of it (root's writes pass
  # mere file modes). The one folder the user picks is $picked.
  medium="$WINEPREFIX/Флешка техника"
  mkdir -p "$medium/Программы"
  unzip -q "$portable" -d "$medium/Программы"
  copy=$(find "$medium/Программы" -mindepth 1 -maxdepth 1 -type d)
  picked="$WINEPREFIX/picked"
  mkdir -p "$picked"
  if mount --bind -o ro "$medium" "$medium" 2>"$WINEPREFIX/mount.log"; then
    read_only=$medium
    check "the copy's folder is read-only" eval '! touch "$copy/bin/written" 2>/dev/null'
  else
    echo "SKIPPED: the copy's folder could not be made read-only here ($(tail -1 "$WINEPREFIX/mount.log")):" \
      "it runs from a writable one"
  fi
  # What the prefix holds: its files (with their sizes) and its registry,
  # but for the keys Wine itself rewrites when it starts (System\...: its
  # devices and drivers; the lists of fonts and their substitutes, which it
  # writes anew for the code page of whichever process updates them) and
  # the times it stamps on keys. Taken after
  # a run of Wine's own shell, which does what Wine leaves to its next start
  # (files an uninstaller left to be removed, say).
  prefix_state() {
    (cd "$drive_c" && find . -printf '%p %s\n' | sort)
    cat "$WINEPREFIX"/*.reg | sed -e '/^#time=/d' -e 's/^\(\[.*\]\) [0-9]*$/\1/' |
      awk '/^\[/ {wine = ($0 ~ /^\[(System|Hardware)\\\\/ || $0 ~ /\\\\Fonts\]$|\\\\FontSubstitutes\]$/)} !wine'
  }
  wineserver -k 2>/dev/null || true
  wineserver --wait
  wine cmd /c exit >/dev/null 2>&1 || true
  wineserver --wait
  state_before=$(prefix_state)
  win_copy=$(windows_path "$copy")
  sample=$(windows_path examples/site.ptm)
  made=$(windows_path "$picked/site.ptm")
  json=$(windows_path examples/site.json)
  status=0
  (cd "$copy/bin" && wine "$win_copy\\bin\\zuzo.exe" ptm dump "$sample" >"$out" 2>/dev/null) || status=$?
  check "zuzo.exe of the copy reads a program file (exit code $status)" \
    eval '[ "$status" -eq 0 ] && grep -q "\"plan\"" "$out"'
  status=0
  (cd "$copy/bin" && wine "$win_copy\\bin\\zuzo.exe" ptm make "$json" "$made" >/dev/null 2>&1) || status=$?
  check "zuzo.exe of the copy writes a program file into the folder picked (exit code $status)" \
    cmp -s "$picked/site.ptm" examples/site.ptm
  # The tool, started in its folder bin as from the Explorer: its window
  # up, the system's save box opened (Ctrl+S) and closed (Escape), which
  # puts the file boxes' state in the registry back as it was; then the tool
  # is ended.
  (cd "$copy/bin" && exec wine "$win_copy\\bin\\zuzo-transport.exe" >/dev/null 2>&1) &
  tool=$!
  main_up() { xdotool search --onlyvisible --name '^Vestorin Zuzo transport$' 2>/dev/null | head -1; }
  save_box() { xdotool search --onlyvisible --name '^Сохранить$' 2>/dev/null | head -1; }
  check "the copy's tool shows its window" wait_for 120 eval '[ -n "$(main_up)" ]'
  box_opened() { # Ctrl+S until the box is up
    [ -n "$(save_box)" ] && return 0
    xdotool windowfocus "$(main_up)" key ctrl+s 2>/dev/null || true
    sleep 1
    return 1
  }
  box_closed() { # Escape until it is gone
    [ -z "$(save_box)" ] && return 0
    xdotool windowfocus "$(save_box)" key Escape 2>/dev/null || true
    sleep 1
    return 1
  }
  check "the copy's tool opens the system's save box and closes it" \
    eval 'wait_for 60 box_opened && wait_for 60 box_closed'
  sleep 2
  kill "$tool" 2>/dev/null || true
  wait "$tool" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver --wait
  changed=$(diff <(echo "$state_before") <(prefix_state) | grep '^[<>]' | head -20 || true)
  [ -n "$changed" ] && echo "$changed"
  check "the copy wrote nothing outside the folder picked: no file of the prefix, no registry value" \
    test -z "$changed"
  if [ -n "$read_only" ]; then
    umount "$read_only" && read_only=
  fi
fi

echo "installer check took $(($(date +%s) - start)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
