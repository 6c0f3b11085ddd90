# shellcheck shell=bash
# cli_bench BUILD_DIR RUNS: the companion's device commands as a technician
# runs them, one process per command, against zuzo-devsim --pace (every
# character at 9600 baud, as a UART sends it) published as COM1 in a private
# port folder. Each figure is the wall time of the whole process (start,
# port, exchanges, end) over the line time of the frames it exchanges: a
# status exchange or an optics read is 9 + 26 characters (36.46 ms), an
# optics write 29 + 4 (34.38 ms); a write reads the optics first. Prints
# table rows, p50 / p95 of RUNS.
# Sourced by bench.sh.
cli_bench() {
    local build=$1 runs=$2 work sim_pid char_us
    work=$(mktemp -d)
    chmod 700 "$work"
    XDG_RUNTIME_DIR=$work "$build/zuzo-devsim" --port COM1 --pace >"$work/sim.out" 2>&1 &
    sim_pid=$!
    for _ in $(seq 200); do [ -e "$work/zuzo-ports/COM1" ] && break; sleep 0.01; done
    if [ ! -e "$work/zuzo-ports/COM1" ]; then
        echo "| Companion commands against the paced simulator | not run | <= 1.10 | NO | the simulator did not start |"
        kill "$sim_pid" 2>/dev/null || true
        rm -rf "$work"
        return 0
    fi
    cp examples/site.ptm "$work/site.ptm"
    char_us=$(awk 'BEGIN {printf "%.4f", 10 * 1e6 / 9600}')
    # name | words after "zuzo device" | characters on the line | target
    local -a rows=(
        "status|status --port COM1|$((2 * 35))|-"
        "write|write --port COM1 $work/site.ptm|$((2 * 35 + 3 * 35 + 2 * 33))|-"
        "verify|verify --port COM1 $work/site.ptm|$((5 * 35))|-"
        "write --verify|write --verify --port COM1 $work/site.ptm|$((2 * 35 + 3 * 35 + 2 * 33 + 3 * 35))|<= 1.10"
    )
    local row name words chars target line_ms times start end code failed sorted p50 p95 met
    for row in "${rows[@]}"; do
        IFS='|' read -r name words chars target <<<"$row"
        line_ms=$(awk -v c="$chars" -v u="$char_us" 'BEGIN {printf "%.2f", c * u / 1000}')
        times=()
        failed=0
        for _ in $(seq "$runs"); do
            start=${EPOCHREALTIME/./} # microseconds, without a process of its own
            # shellcheck disable=SC2086 # the words are split on purpose
            XDG_RUNTIME_DIR=$work "$build/zuzo" device $words >/dev/null 2>&1 && code=0 || code=$?
            end=${EPOCHREALTIME/./}
            [ "$code" -eq 0 ] || failed=$((failed + 1))
            times+=($((end - start)))
        done
        sorted=$(printf '%s\n' "${times[@]}" | sort -n)
        p50=$(echo "$sorted" | awk -v n="$runs" '{a[NR]=$1} END {print a[int((n + 1) / 2)]}')
        p95=$(echo "$sorted" | awk -v n="$runs" '{a[NR]=$1} END {i = int(n * 0.95 + 0.999); if (i > n) i = n; print a[i]}')
        met=-
        if [ "$target" != - ]; then
            met=$(awk -v p="$p50" -v l="$line_ms" 'BEGIN {print (p / 1000 / l <= 1.10) ? "yes" : "NO"}')
        fi
        echo "| zuzo device $name (a process each, paced simulator): wall / line time, p50 / p95 |" \
            "$(awk -v p="$p50" -v q="$p95" -v l="$line_ms" 'BEGIN {printf "%.3f / %.3f", p / 1000 / l, q / 1000 / l}')" \
            "| $target | $met | $runs runs, line time $line_ms ms ($chars characters), p50 $(awk -v p="$p50" 'BEGIN {printf "%.1f", p / 1000}') ms, p95 $(awk -v p="$p95" 'BEGIN {printf "%.1f", p / 1000}') ms$([ "$failed" -eq 0 ] || echo "; $failed runs FAILED") |"
    done
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}

# cli_fleet_bench BUILD_DIR RUNS: eight devices provisioned in one command
# against one alone. Eight zuzo-devsim --pace publish COM1..COM8 in a private
# port folder; "zuzo device write --verify" runs on COM1 alone and with
# --ports COM1-COM8, alternately, RUNS times each, a process each. Prints the
# wall time of both (p50 / p95) and the ratio of the medians (target <= 1.20).
# Sourced by bench.sh.
cli_fleet_bench() {
    local build=$1 runs=$2 work n pids=() ready
    work=$(mktemp -d)
    chmod 700 "$work"
    for n in 1 2 3 4 5 6 7 8; do
        XDG_RUNTIME_DIR=$work "$build/zuzo-devsim" --port "COM$n" --pace >"$work/sim$n.out" 2>&1 &
        pids+=($!)
    done
    for _ in $(seq 300); do
        ready=0
        for n in 1 2 3 4 5 6 7 8; do [ -e "$work/zuzo-ports/COM$n" ] && ready=$((ready + 1)); done
        [ "$ready" -eq 8 ] && break
        sleep 0.01
    done
    if [ "$ready" -ne 8 ]; then
        echo "| Eight devices in one command over one alone, p50 | not run | <= 1.20 | NO | $ready of 8 simulators started |"
        kill "${pids[@]}" 2>/dev/null || true
        rm -rf "$work"
        return 0
    fi
    cp examples/site.ptm "$work/site.ptm"
    local -a one=() eight=()
    local start end code failed_one=0 failed_eight=0
    for _ in $(seq "$runs"); do
        start=${EPOCHREALTIME/./}
        XDG_RUNTIME_DIR=$work "$build/zuzo" device write --verify --port COM1 "$work/site.ptm" >/dev/null 2>&1 && code=0 || code=$?
        end=${EPOCHREALTIME/./}
        [ "$code" -eq 0 ] || failed_one=$((failed_one + 1))
        one+=($((end - start)))
        start=${EPOCHREALTIME/./}
        XDG_RUNTIME_DIR=$work "$build/zuzo" device write --verify --ports COM1-COM8 "$work/site.ptm" >/dev/null 2>&1 && code=0 || code=$?
        end=${EPOCHREALTIME/./}
        [ "$code" -eq 0 ] || failed_eight=$((failed_eight + 1))
        eight+=($((end - start)))
    done
    kill "${pids[@]}" 2>/dev/null || true
    wait "${pids[@]}" 2>/dev/null || true
    rm -rf "$work"
    # p50 and p95 of microseconds, in milliseconds.
    percentiles() {
        printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {i = int(NR * 0.95 + 0.999); if (i > NR) i = NR;
            printf "%.1f %.1f", a[int((NR + 1) / 2)] / 1000, a[i] / 1000}'
    }
    local p_one p_eight ratio met
    read -r -a p_one <<<"$(percentiles "${one[@]}")"
    read -r -a p_eight <<<"$(percentiles "${eight[@]}")"
    ratio=$(awk -v a="${p_eight[0]}" -v b="${p_one[0]}" 'BEGIN {printf "%.3f", a / b}')
    met=$(awk -v r="$ratio" 'BEGIN {print (r <= 1.20) ? "yes" : "NO"}')
    echo "| zuzo device write --verify, one device alone (paced simulator): wall time p50 / p95 |" \
        "${p_one[0]} / ${p_one[1]} ms | - | - | $runs runs, a process each$([ "$failed_one" -eq 0 ] || echo "; $failed_one runs FAILED") |"
    echo "| zuzo device write --verify --ports COM1-COM8, eight paced simulators: wall time p50 / p95 |" \
        "${p_eight[0]} / ${p_eight[1]} ms | - | - | $runs runs, a process each, alternating with the row above$([ "$failed_eight" -eq 0 ] || echo "; $failed_eight runs FAILED") |"
    echo "| Eight devices in one command over one alone, p50 | $ratio | <= 1.20 | $met | the same machine in the same run |"
}
