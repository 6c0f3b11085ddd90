#!/usr/bin/env bash
# Long-run stability of the real zuzo-transport under Xvfb against the paced
# simulator (9600 baud, one character at a time), driven from outside as a
# user would (mouse clicks and Return on message boxes, with xdotool):
#   1. connected and idle for SECONDS: memory, open files and CPU share,
#      sampled every minute;
#   2. CONNECTS connect/disconnect cycles through "Установить связь" and
#      "Разорвать связь";
#   3. REPLUGS unplug/replug cycles: the simulator ends while the tool is
#      connected, the tool's box is answered, the simulator starts again and
#      the tool connects again.
# Prints one table row per phase: memory growth (VmRSS) from the start of the
# phase, after a warm-up, to its end; open descriptors before and after (they
# may drop, never grow); ports and lock files left open. Memory may grow by at
# most 1 MiB after the warm-up (the first cycles load what the boxes need
# once: their icons, and the icon theme cache that Qt keeps open for the life
# of the process).
#
# usage: scripts/soak.sh [SECONDS [CONNECTS [REPLUGS]]]   (default 3600 1000 100)
# Environment: BENCH_BUILD_DIR (default build/bench), SAMPLE_SECONDS (default 60).
# Needs xvfb, x11-utils and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench
seconds=${1:-3600}
connects=${2:-1000}
replugs=${3:-100}
sample=${SAMPLE_SECONDS:-60}
build=${BENCH_BUILD_DIR:-build/bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZUZO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"${BENCH_JOBS:-$(nproc)}" --target zuzo-devsim zuzo-transport >/dev/null

# shellcheck source=scripts/real_tool.sh
. scripts/real_tool.sh
export RT_BUILD=$build
rt_have_tools || { echo "soak: needs Xvfb, xdotool and xwininfo" >&2; exit 2; }
trap rt_end EXIT
rt_begin
rt_start_x || { echo "soak: Xvfb did not start" >&2; exit 1; }
rt_start_sim || { echo "soak: the simulator did not start" >&2; exit 1; }
rt_start_tool || { echo "soak: the main window never showed" >&2; exit 1; }
sleep 2

say() { echo "# $(date -u +%H:%M:%S) $*" >&2; }
mib() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%+.2f", (b - a) / 1024}'; }
within_mib() { awk -v a="$1" -v b="$2" 'BEGIN {print (b - a <= 1024) ? "yes" : "NO"}'; }
# Lock files the serial port library keeps for the tool's terminals.
stale_locks() {
    local n=0 f
    for f in /run/lock/LCK..pts*; do
        [ -f "$f" ] && [ "$(head -1 "$f" | tr -d ' ')" = "$RT_TOOL_PID" ] && n=$((n + 1))
    done
    echo "$n"
}
fd_list() { find "/proc/$RT_TOOL_PID/fd" -mindepth 1 -printf '%f -> %l\n' 2>/dev/null | sort -n; }

# shellcheck source=scripts/machine_line.sh
. scripts/machine_line.sh
machine_line "$RT_BUILD"
echo
echo "| Phase | Memory (VmRSS) | Open files | CPU share | Met | Note |"
echo "|---|---|---|---|---|---|"

# --- 1. connected and idle ---
rt_connect || { echo "soak: the click on the connect button did not open COM1" >&2; exit 1; }
sleep 5
rss0=$(rt_rss_kib)
fd0=$(rt_fd_count)
c0=$(rt_cpu_ticks)
w0=$(rt_now_ms)
worst=0
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
    step=$((seconds - elapsed < sample ? seconds - elapsed : sample))
    read -r share _ _ <<<"$(rt_cpu_share "$step")"
    elapsed=$((elapsed + step))
    worst=$(awk -v a="$worst" -v b="$share" 'BEGIN {print (b > a) ? b : a}')
    say "connected ${elapsed}s: VmRSS $(rt_rss_kib) KiB, $(rt_fd_count) files, CPU $share %, port $(rt_port_fds), load $(rt_load)"
done
rss1=$(rt_rss_kib)
fd1=$(rt_fd_count)
share=$(awk -v c=$((($(rt_cpu_ticks) - c0) * RT_TICK_MS)) -v w=$(($(rt_now_ms) - w0)) \
    'BEGIN {printf "%.2f", 100 * c / w}')
held=$(rt_port_fds)
boxes=$(rt_boxes | wc -l)
met=$(awk -v s="$share" -v g=$((rss1 - rss0)) -v h="$held" -v b="$boxes" -v f=$((fd1 - fd0)) \
    'BEGIN {print (s <= 1 && g <= 1024 && h == 1 && b == 0 && f <= 0) ? "yes" : "NO"}')
echo "| Connected and idle, ${seconds} s | $((rss0 / 1024)) MiB, $(mib "$rss0" "$rss1") MiB | $fd0 -> $fd1 | $share % (worst minute $worst %) | $met | link held to the end: $([ "$held" -eq 1 ] && echo yes || echo NO); $boxes box(es); load average $(rt_load) |"

# --- 2. connect / disconnect ---
disconnect_retrying() {
    # "Разорвать связь" is enabled by the first status tick after a connect:
    # click until the port is let go, for at most about 2 s.
    for _ in $(seq 20); do
        rt_click "$RT_DISCONNECT_AT" && rt_wait_port 0 5 && return 0
    done
    return 1
}
disconnect_retrying || { echo "soak: the click on the disconnect button did not close the port" >&2; exit 1; }
sleep 1
fd0=$(rt_fd_count)
rss0=$(rt_rss_kib)
failed=0
warm=$((connects < 20 ? connects : 20))
c0=$(rt_cpu_ticks)
w0=$(rt_now_ms)
for i in $(seq "$connects"); do
    if rt_connect; then
        disconnect_retrying || failed=$((failed + 1))
    else
        failed=$((failed + 1))
    fi
    [ "$i" -eq "$warm" ] && rss_warm=$(rt_rss_kib)
    [ $((i % 100)) -eq 0 ] && say "connect/disconnect $i: VmRSS $(rt_rss_kib) KiB, $(rt_fd_count) files, $failed failed"
done
sleep 1
rss1=$(rt_rss_kib)
fd1=$(rt_fd_count)
[ "$fd1" -eq "$fd0" ] || { say "open files now:"; fd_list >&2; }
wall_s=$((($(rt_now_ms) - w0) / 1000))
held=$(rt_port_fds)
locks=$(stale_locks)
met=$(awk -v g=$((rss1 - rss_warm)) -v h="$held" -v f=$((fd1 - fd0)) -v x="$failed" -v l="$locks" \
    'BEGIN {print (g <= 1024 && h == 0 && f <= 0 && x == 0 && l == 0) ? "yes" : "NO"}')
echo "| $connects connect/disconnect cycles | $((rss0 / 1024)) MiB, $(mib "$rss0" "$rss1") MiB ($(mib "$rss_warm" "$rss1") MiB after the first $warm) | $fd0 -> $fd1 | - | $met | $failed failed; port open at the end: $held; lock files left: $locks; ${wall_s} s |"

# --- 3. unplug / replug ---
answered_total=0
failed=0
fd0=$(rt_fd_count) # not connected, as at the end
fd_list >"$RT_WORK/fds-before"
rss0=$(rt_rss_kib)
rt_connect || failed=$((failed + 1))
sleep 1
warm=$((replugs < 5 ? replugs : 5))
w0=$(rt_now_ms)
for i in $(seq "$replugs"); do
    rt_stop_sim # unplugged
    answered=0
    for _ in $(seq 150); do # the next status tick finds the port gone and says so
        answered=$(rt_answer_boxes)
        [ "$answered" -gt 0 ] && break
        sleep 0.02
    done
    answered_total=$((answered_total + answered))
    [ "$answered" -gt 0 ] || failed=$((failed + 1))
    rt_wait_port 0 100 || failed=$((failed + 1))
    sleep 0.1
    # A second box would mean the first was not taken.
    [ -z "$(rt_boxes)" ] || { answered_total=$((answered_total + $(rt_answer_boxes))); failed=$((failed + 1)); }
    rt_start_sim || { failed=$((failed + 1)); continue; } # plugged in again
    rt_connect || failed=$((failed + 1))
    sleep 0.35
    if [ "$i" -eq "$warm" ]; then
        rss_warm=$(rt_rss_kib)
        fd_warm=$(($(rt_fd_count) - $(rt_port_fds) * 2)) # as if not connected: port and its lock file
        fd_list >"$RT_WORK/fds-warm"
    fi
    [ $((i % 20)) -eq 0 ] && say "unplug/replug $i: VmRSS $(rt_rss_kib) KiB, $(rt_fd_count) files, $failed failed"
done
disconnect_retrying || failed=$((failed + 1))
sleep 1
rss1=$(rt_rss_kib)
fd1=$(rt_fd_count)
[ "$fd1" -eq "$fd0" ] || { say "open files before and now:"; fd_list | diff "$RT_WORK/fds-before" - >&2 || true; }
[ "$fd1" -eq "$fd_warm" ] || { say "open files after warm-up and now:"; fd_list | diff "$RT_WORK/fds-warm" - >&2 || true; }
wall_s=$((($(rt_now_ms) - w0) / 1000))
held=$(rt_port_fds)
rt_stop_sim
sleep 0.5
locks=$(stale_locks)
met=$(awk -v g=$((rss1 - rss_warm)) -v h="$held" -v f=$((fd1 - fd_warm)) -v x="$failed" -v l="$locks" \
    'BEGIN {print (g <= 1024 && h == 0 && f <= 0 && x == 0 && l == 0) ? "yes" : "NO"}')
echo "| $replugs unplug/replug cycles | $((rss0 / 1024)) MiB, $(mib "$rss0" "$rss1") MiB ($(mib "$rss_warm" "$rss1") MiB after the first $warm) | $fd0 -> $fd1 ($fd_warm after the first $warm) | - | $met | $answered_total box(es) answered, $failed failed; port open at the end: $held; lock files left: $locks; ${wall_s} s |"
