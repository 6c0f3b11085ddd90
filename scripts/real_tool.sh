# shellcheck shell=bash
# Helpers to drive the real zuzo-transport from outside, as a user would:
# a private X server (Xvfb), the paced simulator published as COM1 in a
# private virtual port folder, mouse clicks with xdotool, and the tool's CPU,
# memory and open files read from /proc. Sourced by bench.sh and soak.sh.
#
# Needs: Xvfb, xdotool, xwininfo. Set RT_BUILD (the build folder) first;
# RT_TOOL_BIN may name another zuzo-transport to run (e.g. an older build).
#
# The buttons are clicked at their place in the main window (771 x 474 at
# the default font); rt_connect and rt_disconnect check the outcome through
# the descriptors the tool holds, so a moved button shows as a failure.

RT_CONNECT_AT=${RT_CONNECT_AT:-"308 133"}    # "Установить связь"
RT_DISCONNECT_AT=${RT_DISCONNECT_AT:-"287 243"} # "Разорвать связь"
RT_TITLE="Vestorin Zuzo transport"
RT_WORK=
RT_DISPLAY=
RT_XVFB_PID=
RT_SIM_PID=
RT_TOOL_PID=
RT_WIN=
RT_TICK_MS=$((1000 / $(getconf CLK_TCK)))

rt_have_tools() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xwininfo >/dev/null
}

# A private folder: the tool's XDG_RUNTIME_DIR (and so its port folder).
rt_begin() {
    RT_WORK=$(mktemp -d)
    chmod 700 "$RT_WORK"
}

rt_end() {
    rt_stop_tool
    rt_stop_sim
    if [ -n "$RT_XVFB_PID" ]; then
        kill "$RT_XVFB_PID" 2>/dev/null || true
        wait "$RT_XVFB_PID" 2>/dev/null || true
    fi
    RT_XVFB_PID=
    if [ -n "$RT_WORK" ]; then rm -rf "$RT_WORK"; fi
    RT_WORK=
}

rt_start_x() {
    exec 3>"$RT_WORK/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    RT_XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$RT_WORK/display" ] && break; sleep 0.05; done
    RT_DISPLAY=":$(head -1 "$RT_WORK/display")"
    for _ in $(seq 100); do DISPLAY=$RT_DISPLAY xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.05; done
    return 1
}

# The simulator as COM1, 9600 baud, one character at a time: rt_start_sim [args...]
rt_start_sim() {
    XDG_RUNTIME_DIR=$RT_WORK "$RT_BUILD/zuzo-devsim" --pace "$@" >"$RT_WORK/sim.out" 2>&1 &
    RT_SIM_PID=$!
    for _ in $(seq 200); do
        [ -e "$RT_WORK/zuzo-ports/COM1" ] && return 0
        kill -0 "$RT_SIM_PID" 2>/dev/null || break
        sleep 0.01
    done
    return 1
}

# Unplugging: the simulator ends, its terminal and COM1 go away.
rt_stop_sim() {
    [ -n "$RT_SIM_PID" ] || return 0
    kill "$RT_SIM_PID" 2>/dev/null || true
    wait "$RT_SIM_PID" 2>/dev/null || true
    RT_SIM_PID=
}

# The terminal behind COM1 while the simulator runs (e.g. /dev/pts/3).
rt_sim_terminal() {
    awk 'NR == 1 {print $2}' "$RT_WORK/sim.out" 2>/dev/null
}

rt_start_tool() {
    DISPLAY=$RT_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$RT_WORK "${RT_TOOL_BIN:-$RT_BUILD/zuzo-transport}" \
        >>"$RT_WORK/tool.log" 2>&1 &
    RT_TOOL_PID=$!
    RT_WIN=
    for _ in $(seq 500); do
        RT_WIN=$(DISPLAY=$RT_DISPLAY xdotool search --onlyvisible --name "^$RT_TITLE\$" 2>/dev/null | head -1)
        [ -n "$RT_WIN" ] && return 0
        kill -0 "$RT_TOOL_PID" 2>/dev/null || return 1
        sleep 0.02
    done
    return 1
}

rt_stop_tool() {
    [ -n "$RT_TOOL_PID" ] || return 0
    kill "$RT_TOOL_PID" 2>/dev/null || true
    wait "$RT_TOOL_PID" 2>/dev/null || true
    RT_TOOL_PID=
}

rt_click() { # rt_click "x y"
    # shellcheck disable=SC2086
    DISPLAY=$RT_DISPLAY xdotool mousemove --window "$RT_WIN" $1 mousedown 1 mouseup 1
}

# Descriptors of the tool open on a terminal (its serial port); 0 or 1.
rt_port_fds() {
    find "/proc/$RT_TOOL_PID/fd" -mindepth 1 -lname '/dev/pts/*' 2>/dev/null | wc -l
}

# Waits up to $2 looks, 20 ms apart, for the port count to become $1.
rt_wait_port() {
    for _ in $(seq "${2:-50}"); do
        [ "$(rt_port_fds)" -eq "$1" ] && return 0
        sleep 0.02
    done
    [ "$(rt_port_fds)" -eq "$1" ]
}

rt_connect() {
    rt_click "$RT_CONNECT_AT" && rt_wait_port 1 150
}

rt_disconnect() {
    rt_click "$RT_DISCONNECT_AT" && rt_wait_port 0 150
}

# Windows of the tool other than the main window (message boxes).
rt_boxes() {
    { DISPLAY=$RT_DISPLAY xdotool search --onlyvisible --pid "$RT_TOOL_PID" 2>/dev/null || true; } |
        grep -vx "$RT_WIN" || true
}

# Answers every box the tool shows with its default button (Return);
# prints how many were answered.
rt_answer_boxes() {
    local n=0 box
    for box in $(rt_boxes); do
        DISPLAY=$RT_DISPLAY xdotool windowfocus --sync "$box" key Return 2>/dev/null && n=$((n + 1))
    done
    echo "$n"
}

rt_cpu_ticks() { awk '{print $14 + $15}' "/proc/$RT_TOOL_PID/stat"; }
rt_rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$RT_TOOL_PID/status"; }
rt_fd_count() { find "/proc/$RT_TOOL_PID/fd" -mindepth 1 2>/dev/null | wc -l; }
rt_now_ms() { echo $(($(date +%s%N) / 1000000)); }
rt_load() { cut -d' ' -f1 /proc/loadavg; }

# CPU share of a core (percent, 2 decimals) over $1 seconds: "share cpu_ms wall_ms".
rt_cpu_share() {
    local c0 c1 w0 w1
    c0=$(rt_cpu_ticks)
    w0=$(rt_now_ms)
    sleep "$1"
    c1=$(rt_cpu_ticks)
    w1=$(rt_now_ms)
    awk -v c=$(((c1 - c0) * RT_TICK_MS)) -v w=$((w1 - w0)) 'BEGIN {printf "%.2f %d %d\n", 100 * c / w, c, w}'
}
