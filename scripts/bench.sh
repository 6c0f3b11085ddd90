#!/usr/bin/env bash
# Builds the tool, the simulator and zuzo_bench (Release) and prints the
# benchmark table: exchanges against a paced zuzo-devsim, CPU while a device
# is silent and while the tool idles connected (in the bench process), program
# file speed, the cold start and resident memory of zuzo-transport under Xvfb,
# and the CPU share of the real zuzo-transport under Xvfb, idle without a link
# and idle connected (through its "Установить связь" button) to the paced
# simulator, which answers one character at a time at 9600 baud. Also the
# companion's device commands run as a technician runs them (a process each)
# against the paced simulator, as wall time over the line time of their
# frames, and eight paced simulators provisioned in one command against one
# alone. It begins with the machine it ran on.
#
# usage: scripts/bench.sh [zuzo_bench arguments...]
# Environment: BENCH_BUILD_DIR (default build/bench), BENCH_JOBS (default nproc),
# STARTS (cold starts measured, default 5), IDLE_SECONDS (each real-tool idle
# figure, default 60), CLI_RUNS (runs of each companion command, default 50),
# FLEET_RUNS (runs of eight devices in one command and of one alone, default
# 20), ONLY_CLI=1 (the machine line and the companion rows alone). Needs xvfb,
# x11-utils and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
build=${BENCH_BUILD_DIR:-build/bench}
starts=${STARTS:-5}
idle_seconds=${IDLE_SECONDS:-60}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZUZO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"${BENCH_JOBS:-$(nproc)}" --target zuzo_bench zuzo-devsim zuzo-transport zuzo >/dev/null

# shellcheck source=scripts/machine_line.sh
. scripts/machine_line.sh
machine_line "$build"
echo
# shellcheck source=scripts/cli_bench.sh
. scripts/cli_bench.sh
cli_bench "$build" "${CLI_RUNS:-50}"
cli_fleet_bench "$build" "${FLEET_RUNS:-20}"
[ "${ONLY_CLI:-0}" = 1 ] && exit 0
"$build/zuzo_bench" --devsim "$build/zuzo-devsim" "$@" || true

# --- cold start to the main window shown, and resident memory after start ---
title="Vestorin Zuzo transport"
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || {
    echo "| Cold start of zuzo-transport | not run | <= 0.3 s | NO | needs Xvfb and xwininfo |"
    exit 0
}
work=$(mktemp -d)
xvfb_pid=
tool_pid=
cleanup() {
    [ -n "$tool_pid" ] && kill "$tool_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -s "$work/tool.log" ] && sort "$work/tool.log" | uniq -c | sed "s/^/# tool said: /" >&2
    rm -rf "$work"
}
trap cleanup EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
display=":$(head -1 "$work/display")"
# The server must answer before the first start is timed.
for _ in $(seq 100); do DISPLAY=$display xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
times=()
cpu_ms=()
rss_kib=0
tick_ms=$((1000 / $(getconf CLK_TCK)))
for _ in $(seq "$starts"); do
    start=$(now_ms)
    DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$build/zuzo-transport" >>"$work/tool.log" 2>&1 &
    tool_pid=$!
    shown=
    for _ in $(seq 2000); do
        if DISPLAY=$display xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; then
            shown=$(now_ms)
            break
        fi
        kill -0 "$tool_pid" 2>/dev/null || break # it ended without a window
        sleep 0.002
    done
    if [ -n "$shown" ]; then
        times+=($((shown - start)))
        # CPU the tool had used by then (user + system), to tell its own work
        # from waiting for a busy machine.
        cpu_ms+=("$(awk -v t="$tick_ms" '{print ($14 + $15) * t}' "/proc/$tool_pid/stat")")
    fi
    sleep 1
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$tool_pid/status" 2>/dev/null || echo 0)
    [ "$rss" -gt "$rss_kib" ] && rss_kib=$rss
    kill "$tool_pid" 2>/dev/null || true
    wait "$tool_pid" 2>/dev/null || true
    tool_pid=
done
if [ ${#times[@]} -eq 0 ]; then
    echo "| Cold start of zuzo-transport | not run | <= 0.3 s | NO | the main window never showed |"
    exit 0
fi
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
worst=$(echo "$sorted" | tail -1)
cpu_median=$(printf '%s\n' "${cpu_ms[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
met_start=$([ "$median" -le 300 ] && echo yes || echo NO)
rss_mib=$(awk -v k="$rss_kib" 'BEGIN {printf "%.1f", k / 1024}')
met_rss=$(awk -v k="$rss_kib" 'BEGIN {print (k <= 60 * 1024) ? "yes" : "NO"}')
echo "| Cold start of zuzo-transport to its window shown (Xvfb) | $(awk -v m="$median" 'BEGIN {printf "%.3f s", m / 1000}') | <= 0.3 s | $met_start | median of ${#times[@]} starts, worst $(awk -v m="$worst" 'BEGIN {printf "%.3f s", m / 1000}'), CPU used by then $(awk -v m="$cpu_median" 'BEGIN {printf "%.2f s", m / 1000}') (median); window seen mapped by xwininfo; load average now $(cut -d' ' -f1 /proc/loadavg) |"
echo "| Resident memory of zuzo-transport 1 s after start | $rss_mib MiB | <= 60 MiB | $met_rss | largest VmRSS of the starts |"

# --- the real tool idle, without a link and connected, CPU from /proc ---
# shellcheck source=scripts/real_tool.sh
. scripts/real_tool.sh
RT_BUILD=$build
what="Idle on Xvfb, real zuzo-transport (status tick every 300 ms): CPU share of a core"
if ! rt_have_tools; then
    echo "| $what | not run | <= 1 % | NO | needs Xvfb, xdotool and xwininfo |"
    exit 0
fi
kill "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
trap 'rt_end; cleanup' EXIT
rt_begin
rt_start_x
rt_start_sim
if ! rt_start_tool; then
    echo "| $what | not run | <= 1 % | NO | the main window never showed |"
    exit 0
fi
sleep 3 # let start-up work settle
read -r share cpu wall <<<"$(rt_cpu_share "$idle_seconds")"
load=$(rt_load)
echo "| Not connected, idle, real zuzo-transport on Xvfb: CPU share of a core | $share % | - | - | $cpu ms CPU (user + system from /proc) in $((wall / 1000)) s; load average $load |"
if ! rt_connect; then
    echo "| Connected and idle, real zuzo-transport on Xvfb: CPU share of a core | not run | <= 1 % | NO | the click on \"Установить связь\" did not open COM1 |"
    exit 0
fi
sleep 3
rss0=$(rt_rss_kib)
read -r share cpu wall <<<"$(rt_cpu_share "$idle_seconds")"
load=$(rt_load)
held=$(rt_port_fds)
boxes=$(rt_boxes | wc -l)
met=$(awk -v s="$share" -v h="$held" -v b="$boxes" 'BEGIN {print (s <= 1 && h == 1 && b == 0) ? "yes" : "NO"}')
note="$cpu ms CPU (user + system from /proc) in $((wall / 1000)) s, paced simulator as COM1; load average $load; VmRSS $rss0 -> $(rt_rss_kib) KiB"
[ "$held" -eq 1 ] || note="$note; the link was LOST"
[ "$boxes" -eq 0 ] || note="$note; $boxes message box(es) shown"
echo "| Connected and idle, real zuzo-transport on Xvfb: CPU share of a core | $share % | <= 1 % | $met | $note |"
