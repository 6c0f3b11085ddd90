# shellcheck shell=bash
# Shared by the scripts that run the Windows programs under Wine
# (windows-check.sh, installer-check.sh, wine-run.sh, windows-tool-shot.sh,
# windows-device-checks.sh); sourced, not run. Everything here is 64-bit:
# nothing needs wine32, which on a machine that runs no 32-bit programs makes
# every wine call fail.

# The Qt for Windows the cross build uses: QT_WINDOWS_DIR, by default
# shared/qt-windows beside the repository's folder.
qt_windows_dir() {
  local repo
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  printf '%s' "${QT_WINDOWS_DIR:-$(dirname "$repo")/shared/qt-windows}"
}

# A Linux path as Wine names it (drive Z: is the root).
windows_path() {
  local p
  p=$(realpath -m "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# wine_prefix_start: a throw-away Wine prefix in WINEPREFIX (a new temporary
# folder, with the home folder HOME inside it) under a Russian locale, as on
# the technicians' machines: Wine
# takes its code pages from it, ru_RU.UTF-8 giving 1251 (OEM 866). The
# locale is made in the prefix, so none needs to be installed. On failure
# it says in one line what failed and what to install, and returns 2.
# wine_prefix_end removes the prefix again (call it from an EXIT trap).
wine_prefix_start() {
  export WINEDEBUG=-all
  # No .NET or browser engine wanted, and no menu entries or desktop files
  # for the prefix's shortcuts in the home folder (winemenubuilder).
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine.XXXXXX")
  # A home of its own: Wine links the user's Documents and Desktop to the
  # home folder, which should not get the checks' files.
  export HOME="$WINEPREFIX/home"
  mkdir -p "$HOME"
  export LOCPATH="$WINEPREFIX/locale"
  mkdir -p "$LOCPATH"
  if ! localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8" >"$WINEPREFIX/localedef.log" 2>&1; then
    echo "the Russian locale could not be made ($(wine_last_line "$WINEPREFIX/localedef.log")):" \
      "install the locales package" >&2
    return 2
  fi
  export LC_ALL=ru_RU.UTF-8
  local log="$WINEPREFIX/wineboot.log" status=0
  wineboot --init >"$log" 2>&1 || status=$?
  wineserver --wait 2>>"$log" || true
  if [ "$status" -ne 0 ] || [ "$(wine cmd /c echo ready 2>>"$log" | tr -d '\r')" != ready ]; then
    if grep -q 'Exec format error' "$log"; then
      echo "wine could not start a Windows program here (exit $status: Exec format error): this machine" \
        "runs no 32-bit programs; remove wine32 (apt-get remove wine32:i386), the 64-bit wine64 is enough" >&2
    else
      echo "wine could not start a Windows program here (exit $status: $(wine_last_line "$log")):" \
        "install wine and wine64 (scripts/install-deps.sh --ci)" >&2
    fi
    return 2
  fi
}

wine_prefix_end() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}

# The last line of a log that says something, apart from the wine
# launcher's advice to install wine32.
wine_last_line() {
  grep -v -e '^\s*$' -e 'wine32 is missing' -e 'multiarch needs to be enabled' -e 'dpkg --add-architecture' \
    -e 'apt-get install wine32' "$1" | tail -1
}

# wine_program_paths: where the programs of the cross build find the Qt
# libraries and the compiler's run-time libraries (WINEPATH) and Qt's
# plugins (QT_PLUGIN_PATH), exported.
wine_program_paths() {
  local qt runtime pthread
  qt=$(qt_windows_dir)
  runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
  WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthread")"
  QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
  export WINEPATH QT_PLUGIN_PATH
}

# start_simulator FOLDER N SIMULATOR_ARGS...: zuzo-devsim (ZUZO_DEVSIM)
# serving a pseudo-terminal, published as COMn in FOLDER and mapped to COMn
# of the Wine prefix ($WINEPREFIX/dosdevices/comN), so that the Windows
# programs open it as \\.\COMn. It returns once the pseudo-terminal is
# there, 1 when none came within 10 s. Wine maps the machine's own serial
# ports to the first COM numbers whenever it starts: the checks use COM20
# and up. stop_simulator N ends it, stop_simulators every one started.
declare -gA simulator_pid
start_simulator() {
  local folder=$1 n=$2 pty=""
  shift 2
  mkdir -p "$folder"
  chmod 700 "$folder"
  "${ZUZO_DEVSIM:?the Linux simulator zuzo-devsim}" --folder "$folder" --port "COM$n" "$@" \
    >"$folder/sim$n.out" 2>&1 &
  simulator_pid[$n]=$!
  wait_for 10 test -s "$folder/sim$n.out" || return 1
  read -r _ pty <"$folder/sim$n.out" || true
  [ -n "$pty" ] || return 1
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$n"
}
stop_simulator() {
  [ -n "${simulator_pid[$1]:-}" ] || return 0
  kill "${simulator_pid[$1]}" 2>/dev/null || true
  wait "${simulator_pid[$1]}" 2>/dev/null || true
  unset "simulator_pid[$1]"
}
stop_simulators() {
  local n
  for n in "${!simulator_pid[@]}"; do stop_simulator "$n"; done
}

# wait_for SECONDS COMMAND...: runs COMMAND five times a second until it
# succeeds (0) or the time is up (1).
wait_for() {
  local tries=$(($1 * 5))
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    tries=$((tries - 1))
    sleep 0.2
  done
  return 1
}
