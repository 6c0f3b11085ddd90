#!/usr/bin/env bash
# The tool under Wine as a person sees it: zuzo-transport.exe on the windows
# platform plugin, on the X server that xvfb-run started, with Qt's Russian
# catalogue beside it. zuzo-devsim serves COM20 of the Wine prefix (Wine
# itself maps the machine's serial ports to the first COM numbers whenever
# it starts); the script chooses COM20 in PortCombo, presses "Установить
# связь", then "Чтение программы", takes a picture of the window, and saves
# the program read (Ctrl+S); zuzo.exe wrote the example site's program into
# the device before and verifies the file against it after. It works the
# tool by its keys alone, as a person without a mouse does (the order of Tab
# is the tool's own, the same whatever the fonts), never by places on the
# screen. Each step waits, with a bound, for what shows that the one before
# is done (the windows the tool opens and closes, the port it opened and the
# device's replies in its trace of the line, the file saved), never for a
# fixed time: the check holds on a loaded machine and with other fonts.
# Then the tool remembers nothing between runs: a first run saves and opens
# a file in another folder, and in a second run both file boxes start in
# Documents, the registry's dialog state as before. Each of the two cases
# names itself and its outcome; the script fails when one of them failed.
# The ctest test wine_tool_shot of the Windows build (label wine), run under
# xvfb-run when scripts/windows-check.sh has set up the prefix (WINEPREFIX)
# and named the Linux build's simulator (ZUZO_DEVSIM); without them it is
# skipped (exit code 77). SHOT names the picture instead of PICTURE.png
# (SHOT=docs/windows-tool.png puts it there).
# Usage: windows-tool-shot.sh ZUZO-TRANSPORT.EXE ZUZO.EXE PICTURE.png
set -euo pipefail
cd "$(dirname "$0")/.."
tool_exe=$1
zuzo=$2
shot=${SHOT:-$3}
if [ -z "${WINEPREFIX:-}" ] || [ -z "${ZUZO_DEVSIM:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "skipped: no Wine prefix, simulator and X server (WINEPREFIX, ZUZO_DEVSIM, DISPLAY): run by" \
    "scripts/windows-check.sh"
  exit 77
fi
# shellcheck source=scripts/wine-common.sh
source scripts/wine-common.sh
wine_program_paths
# Tests run before on the offscreen platform may have started Wine's desktop
# (explorer.exe) without an X server; it would keep the tool's windows off
# this one. The prefix's processes are ended, and the tool's run starts them
# anew on this X server.
wineserver -k 2>/dev/null || true
wineserver --wait 2>/dev/null || true
work=$(mktemp -d "${TMPDIR:-/tmp}/zuzo-wine-tool.XXXXXX")
tool=""
cleanup() {
  [ -n "$tool" ] && kill "$tool" 2>/dev/null
  stop_simulators
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
problem=""
fail() { problem=$1; }
# Ends the test case NAME with the problem found, if any; a failed one
# leaves a picture of the screen beside the picture of the tool.
end_case() {
  if [ -n "$problem" ]; then
    import -window root "${shot%.png}-$1-failed.png" 2>/dev/null &&
      problem="$problem (the screen: ${shot%.png}-$1-failed.png)"
    echo "FAILED: $1: $problem"
    failed=$((failed + 1))
  else
    echo "ok: $1"
  fi
  problem=""
}

# The tool's windows.
# The first visible window of that title: xdotool's own --sync gives up at
# the first window that closes while it looks (a BadWindow error from the X
# server).
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_gone() { [ -z "$(visible_window "$1")" ]; }
# Starts the tool and waits for its main window (in window).
# With the trace of the line on its standard error (Wine hands QT_...
# variables to a program only as WINEQT_...).
start_tool() {
  WINEQT_LOGGING_RULES=zuzo.link.trace=true WINEQT_FORCE_STDERR_LOGGING=1 QT_QPA_PLATFORM=windows \
    wine "$tool_exe" >"$work/tool.out" 2>&1 &
  tool=$!
  if ! wait_for 120 window_shown '^Vestorin Zuzo transport$'; then
    fail "the main window did not appear in 120 s"
    return 1
  fi
  window=$(visible_window '^Vestorin Zuzo transport$')
}
stop_tool() {
  [ -n "$tool" ] || return 0
  kill "$tool" 2>/dev/null || true
  wait "$tool" 2>/dev/null || true
  tool=""
  wait_for 30 window_gone '^Vestorin Zuzo transport$' || true
}
# in_box TITLE NAME CONDITION...: types NAME into the file box of that title
# and presses Return, until CONDITION holds; a name typed before the box
# took input is typed again. A second window of that title is the box's
# own message that the name is not where the box is (returns 2).
in_box() {
  local title=$1 name=$2 box
  shift 2
  if ! wait_for 60 window_shown "$title"; then
    fail "no box \"${title//[\^\$]/}\" opened"
    return 1
  fi
  for _ in 1 2 3; do
    box=$(visible_window "$title")
    xdotool windowfocus "$box"
    xdotool key Home shift+End
    xdotool type --delay 20 "$name"
    xdotool key Return
    wait_for 20 "$@" && return 0
    if [ "$(xdotool search --onlyvisible --name "$title" 2>/dev/null | wc -l)" -gt 1 ]; then
      return 2
    fi
  done
  return 1
}
# keys KEY...: the keys to the main window, one after another.
keys() {
  xdotool windowfocus "$window" 2>/dev/null
  xdotool key --delay 30 "$@"
}
# press KEY WINDOW_TITLE: the key to the main window, pressed again while
# no window of that title follows (a key the tool took before it was ready).
press() {
  for _ in 1 2 3; do
    xdotool windowfocus "$window"
    xdotool key --window "$window" "$1"
    wait_for 20 window_shown "$2" && return 0
  done
  return 1
}
# The tool's Ctrl+S for a program without a file, into the box "Сохранить".
save_as() {
  local name=$1
  shift
  press ctrl+s '^Сохранить$' || true
  in_box '^Сохранить$' "$name" "$@" || fail "the box \"Сохранить\" did not save $name"
}
# The tool's Ctrl+O: its question answered "Да", then the box "Открыть".
open_file() {
  local name=$1
  if ! press ctrl+o '^Чтение файла$'; then
    fail "Ctrl+O asked no question \"Чтение файла\""
    return 1
  fi
  xdotool key Return
  in_box '^Открыть$' "$name" window_gone '^Открыть$'
}

connect_read_and_picture() {
  if ! start_simulator "$work/ports" 20 --pace; then
    fail "zuzo-devsim did not start as COM20: $(cat "$work/ports/sim20.out" 2>/dev/null)"
    return
  fi
  # The example site's optics in the device, unlike those of a new program.
  if ! wine "$zuzo" device write --port COM20 "$(windows_path examples/site.ptm)" >"$work/write.out" 2>&1; then
    fail "zuzo.exe could not write the example program into the device: $(tr '\n' ' ' <"$work/write.out")"
    return
  fi

  start_tool || return
  # The keyboard starts on the tab of the page "Конфигурация"; Tab goes to
  # PortCombo, where Home chooses COM1 and Down, 19 times, COM20, without
  # opening its list; two more Tabs go past "Диспетчер устройств" to
  # "Установить связь", which Enter presses. Keys wait in the window's queue
  # however late the tool takes them.
  local downs=()
  for _ in $(seq 19); do downs+=(Down); done
  keys Tab Home "${downs[@]}" Tab Tab Return
  if ! wait_for 60 grep -aq 'trace: opened "COM20"' "$work/tool.out"; then
    fail "\"Установить связь\" opened no COM20 within 60 s (the tool's trace: $(grep -a -m1 'trace: opened' "$work/tool.out"))"
    return
  fi
  # "Чтение программы " is enabled at the tool's next status tick after the
  # connection: once a second reply of the device is in the trace. From
  # "Установить связь", Tab goes to the status log, "Запись программы",
  # "Чтение программы ", and Enter presses it: the window "Обмен данными"
  # opens for the read and closes at its end. The file saved at the end
  # holds the program read only if the read was from COM20.
  replies() { [ "$(grep -ac 'trace: in  .*#' "$work/tool.out")" -ge 2 ]; }
  if ! wait_for 60 replies; then
    fail "COM20 opened, but the device's replies did not come within 60 s"
    return
  fi
  exchange='^Обмен данными$'
  keys Tab Tab Tab Return
  if ! wait_for 60 window_shown "$exchange"; then
    fail "\"Чтение программы\" opened no window \"Обмен данными\" within 60 s"
    return
  fi
  if ! wait_for 120 window_gone "$exchange"; then
    fail "the read did not end within 120 s"
    return
  fi
  mkdir -p "$(dirname "$shot")"
  import -window "$window" "$shot"
  echo "picture: $shot"

  # Saved as a new file through the system's save box ("Сохранить").
  save_as "$(windows_path "$work/read.ptm")" test -s "$work/read.ptm"
  stop_tool
  if [ -n "$problem" ]; then
    return
  elif ! wine "$zuzo" device verify --port COM20 "$(windows_path "$work/read.ptm")" >"$work/verify.out" 2>&1; then
    # The file saved holds what the device holds: the read went through.
    fail "the program saved differs from the device's: $(tr '\n' ' ' <"$work/verify.out")"
  fi
}

# A first run saves and opens a file in another folder ($work); in a second
# run both boxes start in Documents, where a bare name lands. Faults: the
# tool or the system's file box remembering the folder of an earlier run;
# the dialog's state left among the user's settings (the registry). Qt
# keeps it under QtProject, where other Qt programs keep theirs (the test
# programs run before in this prefix do): while a box is open the tool sets
# theirs aside, and just after the box closes puts it back as it was; the
# tool is ended only once it has.
dialog_state() { wine reg query 'HKCU\Software\QtProject' /s 2>/dev/null | tr -d '\r' | grep . || true; }
state_before=""
dialog_state_as_before() { [ "$(dialog_state)" = "$state_before" ]; }
second_run_starts_in_documents() {
  local documents status=0
  state_before=$(dialog_state)
  documents=$(realpath "$WINEPREFIX/drive_c/users/$(whoami)/Documents")
  rm -f "$documents/second.ptm"
  start_tool || return
  save_as "$(windows_path "$work/first.ptm")" test -s "$work/first.ptm"
  [ -z "$problem" ] && { open_file "$(windows_path "$work/first.ptm")" || fail "the box \"Открыть\" did not open $work/first.ptm"; }
  wait_for 30 dialog_state_as_before || true
  stop_tool
  [ -n "$problem" ] && return
  start_tool || return
  save_as second test -s "$documents/second.ptm"
  if [ -n "$problem" ]; then
    fail "the second run's box \"Сохранить\" did not start in Documents: no second.ptm there"
  else
    open_file second.ptm || status=$?
    [ "$status" -eq 2 ] && fail "the second run's box \"Открыть\" did not start in Documents: it did not find second.ptm"
    [ "$status" -eq 1 ] && fail "the second run's box \"Открыть\" did not take second.ptm"
  fi
  if ! wait_for 30 dialog_state_as_before && [ -z "$problem" ]; then
    local changed
    changed=$(diff <(echo "$state_before") <(dialog_state) | grep '^[<>]' | tr '\n' ' ')
    fail "the file boxes' state in the registry (HKCU\\Software\\QtProject) is not as before the runs: $changed"
  fi
  stop_tool
  rm -f "$documents/second.ptm"
}

# Each case ends its tool, also when it stopped early.
connect_read_and_picture || true
end_case ConnectReadAndPicture
stop_tool
second_run_starts_in_documents || true
end_case SecondRunStartsInDocuments
stop_tool
[ "$failed" -eq 0 ]
