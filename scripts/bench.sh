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
# alone, the same commands through a USB adapter's latency (0, 1, 4, 16 and
# 32 ms, the simulator's --latency) and "zuzo device find" over eight ports.
# It begins with the machine it ran on.
#
# usage: scripts/bench.sh [zuzo_bench arguments...]
# Environment: BENCH_BUILD_DIR (default build/bench), BENCH_JOBS (default nproc),
# STARTS (cold starts measured, default 5), IDLE_SECONDS (each real-tool idle
# figure, default 60), CLI_RUNS (runs of each companion command, default 50),
# FLEET_RUNS (runs of eight devices in one command and of one alone, default
# 20), LATENCY_RUNS (runs of each command at each latency, default 20),
# ONLY_CLI=1 (the machine line and the companion rows alone). Needs xvfb,
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

# p50 of microseconds in milliseconds, and the p95: "P50 P95".
ms_percentiles() {
    printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {i = int(NR * 0.95 + 0.999); if (i > NR) i = NR;
        printf "%.1f %.1f", a[int((NR + 1) / 2)] / 1000, a[i] / 1000}'
}

# start_sims FOLDER "N ARGS..."...: a zuzo-devsim for each, published as COMn
# in FOLDER's port folder; sim_pids holds them. 0 once all are published.
start_sims() {
    local folder=$1 setup n _ ready
    shift
    sim_pids=()
    for setup in "$@"; do
        read -r n _ <<<"$setup"
        # shellcheck disable=SC2086 # the simulator's words are split on purpose
        XDG_RUNTIME_DIR=$folder "$build/zuzo-devsim" --port "COM$n" ${setup#* } >/dev/null 2>&1 &
        sim_pids+=($!)
    done
    for _ in $(seq 300); do
        ready=$(find "$folder/zuzo-ports" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
        [ "$ready" -eq $# ] && return 0
        sleep 0.01
    done
    return 1
}
stop_sims() {
    kill "${sim_pids[@]}" 2>/dev/null || true
    wait "${sim_pids[@]}" 2>/dev/null || true
}

# The companion's commands through a USB adapter that holds what the device
# sends until its latency timer runs out (zuzo-devsim --pace --latency MS):
# wall time over line time of the whole process, p50, for each latency; 1 ms
# is what the low-latency flag gives an adapter whose driver takes it.
latency_bench() {
    local runs=$1 work latency row name words chars times start end code failed p ratios notes char_us
    work=$(mktemp -d)
    chmod 700 "$work"
    cp examples/site.ptm "$work/site.ptm"
    char_us=$(awk 'BEGIN {printf "%.4f", 10 * 1e6 / 9600}')
    # name | words after "zuzo device" | characters on the line
    local -a rows=(
        "status|status --port COM1|$((2 * 35))"
        "read|read --port COM1|$((5 * 35))"
        "write|write --port COM1 $work/site.ptm|$((2 * 35 + 2 * 33))"
        "write --verify|write --verify --port COM1 $work/site.ptm|$((2 * 35 + 2 * 33 + 3 * 35))"
    )
    for latency in 0 1 4 16 32; do
        rm -rf "$work/zuzo-ports"
        if ! start_sims "$work" "1 --pace --latency $latency"; then
            echo "| Adapter latency $latency ms | not run | - | - | the simulator did not start |"
            stop_sims
            continue
        fi
        ratios=()
        notes=
        for row in "${rows[@]}"; do
            IFS='|' read -r name words chars <<<"$row"
            times=()
            failed=0
            for _ in $(seq "$runs"); do
                start=${EPOCHREALTIME/./}
                # shellcheck disable=SC2086 # the words are split on purpose
                XDG_RUNTIME_DIR=$work "$build/zuzo" device $words >/dev/null 2>&1 && code=0 || code=$?
                end=${EPOCHREALTIME/./}
                [ "$code" -eq 0 ] || failed=$((failed + 1))
                times+=($((end - start)))
            done
            read -r -a p <<<"$(ms_percentiles "${times[@]}")"
            ratios+=("$(awk -v p="${p[0]}" -v c="$chars" -v u="$char_us" 'BEGIN {printf "%.3f", p / (c * u / 1000)}')")
            notes="$notes${notes:+, }$name ${p[0]} ms$([ "$failed" -eq 0 ] || echo " ($failed FAILED)")"
        done
        stop_sims
        echo "| Adapter latency $latency ms (paced simulator --latency $latency): wall / line time p50, status / read / write / write --verify |" \
            "${ratios[0]} / ${ratios[1]} / ${ratios[2]} / ${ratios[3]} | - | - | $runs runs each, a process each; p50: $notes |"
    done
    rm -rf "$work"
}

# "zuzo device find" over eight ports at once: all silent, and four paced
# devices beside four silent ones; wall time of the process, p50 / p95.
find_bench() {
    local runs=$1 work case_name n start end code times p
    work=$(mktemp -d)
    chmod 700 "$work"
    for case_name in silent mixed; do
        rm -rf "$work/zuzo-ports"
        local -a setups=()
        for n in 1 2 3 4 5 6 7 8; do
            if [ "$case_name" = mixed ] && [ "$n" -le 4 ]; then setups+=("$n --pace"); else setups+=("$n --fault silence"); fi
        done
        if ! start_sims "$work" "${setups[@]}"; then
            echo "| zuzo device find, eight ports ($case_name) | not run | - | - | the simulators did not start |"
            stop_sims
            continue
        fi
        times=()
        for _ in $(seq "$runs"); do
            start=${EPOCHREALTIME/./}
            XDG_RUNTIME_DIR=$work "$build/zuzo" device find --ports COM1-COM8 >/dev/null 2>&1 && code=0 || code=$?
            end=${EPOCHREALTIME/./}
            times+=($((end - start)))
        done
        stop_sims
        read -r -a p <<<"$(ms_percentiles "${times[@]}")"
        echo "| zuzo device find --ports COM1-COM8, $([ "$case_name" = mixed ] && echo "four paced devices, four silent" || echo "all eight silent"): wall time p50 / p95 |" \
            "${p[0]} / ${p[1]} ms | about one reply wait (300 ms) | $(awk -v p="${p[0]}" 'BEGIN {print (p <= 450) ? "yes" : "NO"}') | $runs runs, a process each; exit code of the last $code |"
    done
    rm -rf "$work"
}

latency_bench "${LATENCY_RUNS:-20}"
find_bench "${LATENCY_RUNS:-20}"
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
