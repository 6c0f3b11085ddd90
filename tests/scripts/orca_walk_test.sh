#!/usr/bin/env bash
# What a blind technician hears: the screen reader Orca itself on the real
# tool, under Xvfb (no window manager until a step starts openbox), in a
# D-Bus session of its own with the accessibility bus, in ru_RU.UTF-8, driven
# by keys sent with xdotool. Orca writes every utterance to its debug log as
# a "SPEECH OUTPUT" line; each step of the table below sends its keys and
# waits, with a bound, until Orca has said the texts of the step in order.
# Speech is on (without it Orca drops what it speaks as messages), with no
# speech server behind it. A told status line must not be cut off by Orca
# moving to another window before the next key.
# Usage: orca_walk_test.sh ZUZO_TRANSPORT ZUZO_DEVSIM PROGRAM.ptm
# Exits 77 (skipped) and says why when something it needs is missing.
set -uo pipefail
tool=${1:?the zuzo-transport program}
devsim=${2:?the zuzo-devsim program}
sample=${3:?a program file to open}

# step | keys (xdotool key names, NAME*N for N presses; @sim COMn ARGS,
# @unplug COMn, @type TEXT, @wm) | what Orca says, in order, ";" between
# texts: ~TEXT is an extended regular expression, (x) in it is kept as {1}
# for later texts; !TEXT is never said in the step.
steps() {
  cat <<'TABLE'
start               |                     | Vestorin Zuzo transport рамка
port combo          | Tab                 | Порт выпадающий список ; COM1
port item           | Down                | COM2
port item back      | Up                  | COM1
connect             | Tab Tab Return      | уведомление Ждите!!! ; уведомление COM1 Порт открыт. Устройство готово. Оптический датчик вкл. Освещенность 1234 Lux.
read                | Tab*3 Return        | Обмен данными диалог Ход обмена данными: 0 % ; уведомление Старт чтения программы. Программа считана. ; Чтение программы нажимаемая кнопка
write               | shift+Tab Return    | уведомление Старт запись программы. Программа записана. ; Запись программы нажимаемая кнопка
page switch         | ctrl+Tab            | Яркость светоизлучающего модуля ; ~Красный, яркость модуля бегунок ([0-9]+) ; !уведомление
number field        | Tab                 | Красный, яркость модуля, в процентах текст ; {1} выделен
sensor combo        | Tab*12              | Автоматическая регулировка яркости выпадающий список ; Вкл.оптический датчик
sensor item         | Up                  | Откл.оптический датчик ; !Выбранное удалено
page back           | ctrl+Tab            | Запись программы нажимаемая кнопка ; !уведомление
disconnect          | Tab Tab Return      | Установить связь нажимаемая кнопка ; уведомление Порт закрыт.
lines together      | @sim COM2 --fault ignore=88 | уведомление Обнаружено новое соединение COM2. Порт: COM2. ; !---
connect COM2        | shift+Tab*2 Down Tab Tab Return | COM2 ; уведомление COM2 Порт открыт. Устройство готово.
failed read         | Tab*3 Return        | уведомление Старт чтения программы. Команда не выполнена. ; Чтение программы нажимаемая кнопка
lost link           | @unplug COM2        | тревога Ошибка ; Самопроизвольно закрылся порт
lost link told      | Return              | уведомление Авария, закрыт COM2.
open asks           | ctrl+o              | тревога Чтение файла ; Да нажимаемая кнопка
open dialog         | Return              | Открыть диалог
open keyboard back  | @type SAMPLE Return | Установить связь нажимаемая кнопка
weekday combo       | Tab*3               | День недели выпадающий список ; Понедельник
weekday item        | Down                | Вторник
interval time       | Tab Tab             | Время интервала 1 ; ~([0-9]{2}):[0-9]{2} кнопка вращения
interval time up    | Up                  | ~^[0-9]{2}:[0-9]{2}$ ; !{1}:
rule warning        | Tab Tab @type 200   | Громкость интервала 1 текст ; уведомление Предупреждение: громкость интервала.
with window manager | @wm ctrl+o          | тревога Чтение файла ; Да нажимаемая кнопка
wm open dialog      | Return              | Открыть диалог
wm keyboard back    | Escape              | Громкость интервала 1 текст
wm keys work        | shift+Tab           | Время интервала 1
TABLE
}

skip() {
  echo "skipped: $*"
  exit 77
}

# The part that runs inside the D-Bus session, on its own X server.
walk() {
  work=$1
  log=$work/orca.log
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  pids=($!)
  exec 3>&-
  trap stop_all EXIT
  bounded 100 test -s "$work/display" || { echo "Xvfb did not start"; return 1; }
  DISPLAY=":$(head -1 "$work/display")"
  export DISPLAY
  sim COM1 || return 1
  # Orca writes its log through a buffer, so that the last utterances would
  # show only once more followed: it runs with its log opened line by line.
  # Orca refuses to start beside another process named orca of this user,
  # whatever its display and session: this one keeps its own name and does
  # not look for others, and so runs beside another walk or Orca.
  /usr/bin/python3 - "$(command -v orca)" -u "$work/prefs" --debug-file "$log" >"$work/orca.out" 2>&1 <<'PY' &
import builtins, runpy, sys
log = sys.argv[-1]
opened = builtins.open
def line_by_line(file, mode="r", *rest, **named):
    if file == log:
        return opened(file, mode, 1)
    return opened(file, mode, *rest, **named)
builtins.open = line_by_line
sys.argv = sys.argv[1:]
main = runpy.run_path(sys.argv[0], run_name="orca_walk")["main"]
main.__globals__["otherOrcas"] = lambda: []
main.__globals__["setProcessName"] = lambda name: None
sys.exit(main())
PY
  pids+=($!)
  bounded 300 grep -aq "Startup complete" "$log" || { echo "Orca did not start:"; cat "$work/orca.out"; return 1; }
  QT_QPA_PLATFORM=xcb "$tool" >"$work/tool.out" 2>&1 &
  pids+=($!)
  local failed=0 name keys heard
  while IFS='|' read -r name keys heard; do
    step "$(trim "$name")" "$(trim "$keys")" "$(trim "$heard")" || failed=1
  done < <(steps)
  return $failed
}

# Ends what this walk started: Orca may take a moment.
stop_all() {
  kill "${pids[@]}" 2>/dev/null
  for pid in "${pids[@]}"; do
    bounded 30 eval "! kill -0 $pid" || kill -9 "$pid" 2>/dev/null
  done
}

wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# Starts openbox; it hands the keyboard to no window it finds, so the tool's
# window is activated as a user would, by the window manager.
with_wm() {
  openbox >/dev/null 2>&1 &
  pids+=($!)
  bounded 100 wm_runs || return 1
  local window
  window=$(xdotool search --name '^Vestorin Zuzo transport$' | head -1)
  bounded 100 activated "$window"
}

activated() {
  xdotool windowactivate "$1"
  [ "$(xdotool getactivewindow)" = "$1" ]
}

trim() { sed -e 's/^ *//' -e 's/ *$//' <<<"$1"; }

# Runs a command every 0.1 s until it succeeds, at most $1 times.
bounded() {
  local times=$1
  shift
  for _ in $(seq "$times"); do
    "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

declare -A sims=()
sim() {
  local port=$1
  shift
  sims[$port]=$("$devsim" --port "$port" --detach "$@") || { echo "$port did not start"; return 1; }
  pids+=("${sims[$port]}")
}

# The speech after line $1 of the log, one utterance a line with its line
# number.
speech_after() {
  awk -v from="$1" 'NR > from && /SPEECH OUTPUT: / {
    text = $0; sub(/.*SPEECH OUTPUT: \047/, "", text); sub(/\047 *\[?\{\047established.*$/, "", text); print NR "\t" text }' "$log"
}

# The line of the first utterance after line $1 that holds $2 (a regular
# expression when $3 is "re"), its captured part in $found_part.
find_said() {
  local from=$1 text=$2 kind=$3 line said
  while IFS=$'\t' read -r line said; do
    if [ "$kind" = re ]; then
      if [[ $said =~ $text ]]; then
        found_part=${BASH_REMATCH[1]:-}
        echo "$line"
        return 0
      fi
    elif [[ $said == *"$text"* ]]; then
      echo "$line"
      return 0
    fi
  done < <(speech_after "$from")
  return 1
}

press() {
  local key
  for key in "$@"; do
    if [[ $key == *'*'* ]]; then
      for _ in $(seq "${key##*\*}"); do xdotool key "${key%%\**}"; done
    else
      xdotool key "$key"
    fi
  done
}

step() {
  local name=$1 keys=$2 heard=$3 start at line kind text missed=0 never=()
  start=$(wc -l <"$log")
  read -ra words <<<"${keys//SAMPLE/$sample}"
  local i=0
  while [ $i -lt ${#words[@]} ]; do
    case ${words[$i]} in
      @sim) sim "${words[$((i + 1))]}" "${words[@]:$((i + 2)):2}" || return 1; i=$((i + 4)) ;;
      @unplug) kill "${sims[${words[$((i + 1))]}]}"; i=$((i + 2)) ;;
      @type) xdotool type --delay 40 "${words[$((i + 1))]}"; i=$((i + 2)) ;;
      @wm) with_wm; i=$((i + 1)) ;;
      *) press "${words[$i]}"; i=$((i + 1)) ;;
    esac
  done
  at=$start
  IFS=';' read -ra texts <<<"$heard"
  for text in "${texts[@]}"; do
    text=$(trim "$text")
    text=${text//\{1\}/$part}
    if [[ $text == '!'* ]]; then
      never+=("${text#!}")
      continue
    fi
    kind=plain
    [[ $text == '~'* ]] && kind=re && text=${text#\~}
    found_part=
    if ! line=$(bounded 300 find_said "$at" "$text" "$kind"); then
      echo "FAIL $name: Orca never said \"$text\"; it said:"
      speech_after "$start" | cut -f2 | sed 's/^/    /'
      missed=1
      break
    fi
    [[ $kind == re && $text == *'('* ]] && part=$(find_said "$at" "$text" re >/dev/null; echo "$found_part")
    if [[ $text == 'уведомление '* ]]; then
      told_lines+=("$name:$line")
      if [ "$(speech_after "$start" | cut -f2 | grep -cF -- "$text")" -gt 1 ]; then
        echo "FAIL $name: Orca said \"$text\" more than once"
        missed=1
      fi
    fi
    # The next text may be in the same utterance.
    at=$((line - 1))
  done
  for text in "${never[@]}"; do
    if speech_after "$start" | cut -f2 | grep -qF -- "$text"; then
      echo "FAIL $name: Orca said \"$text\""
      missed=1
    fi
  done
  [ $missed -eq 0 ] && echo "ok   $name"
  return $missed
}

# A status line told and then cut off by Orca moving to another window (it
# stops speaking then) before the next key was pressed.
cut_off() {
  local told name line
  for told in "${told_lines[@]}"; do
    name=${told%:*}
    line=${told##*:}
    if awk -v from="$line" 'NR > from && /PROCESS ATSPI_KEY_PRESSED_EVENT/ { exit 1 }
        NR > from && /Interrupting presentation/ { exit 0 } END { exit 1 }' "$log"; then
      echo "FAIL $name: the status line was cut off before the next key"
      return 1
    fi
  done
}

if [ "${ORCA_WALK_INSIDE:-}" = 1 ]; then
  told_lines=()
  found_part=
  part=
  walk "$ORCA_WALK_DIR"
  result=$?
  cut_off || result=1
  [ $result -ne 0 ] && echo "Orca's log: $ORCA_WALK_DIR/orca.log (kept)"
  exit $result
fi

for need in "orca:orca" "xdotool:xdotool" "Xvfb:xvfb" "openbox:openbox" "xprop:x11-utils" \
  "dbus-run-session:dbus-daemon" "localedef:locales"; do
  command -v "${need%%:*}" >/dev/null 2>&1 || skip "${need%%:*} is missing (Debian package ${need#*:})"
done
[ -e /usr/share/i18n/locales/ru_RU ] || skip "the ru_RU locale source is missing (Debian package locales)"
work=$(mktemp -d)
mkdir -p "$work/locale" "$work/run" "$work/home"
chmod 700 "$work/run"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null 2>&1 || skip "localedef cannot make ru_RU.UTF-8"
export LOCPATH=$work/locale LANG=ru_RU.UTF-8 LANGUAGE=ru LC_ALL=ru_RU.UTF-8 HOME=$work/home
export XDG_RUNTIME_DIR=$work/run SPEECHD_ADDRESS=unix_socket:$work/run/no-speech-server
ORCA_WALK_INSIDE=1 ORCA_WALK_DIR=$work dbus-run-session -- bash "$0" "$tool" "$devsim" "$sample"
result=$?
[ $result -eq 0 ] && rm -rf "$work"
exit $result
