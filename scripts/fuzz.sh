#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: the preset fuzz) in their own build folder and
# runs each for a bounded time. Needs the Debian packages clang-14 and
# libclang-rt-14-dev.
#
# usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#   SECONDS_PER_TARGET  default 60
#   TARGET              ptm_reader reply_parser frame_parser lenient_int plan_csv ptm_make (default: all)
# Environment: FUZZ_BUILD_DIR (default build/fuzz), FUZZ_WORK_DIR (corpora and
# findings, default FUZZ_BUILD_DIR/work), FUZZ_JOBS (build jobs, default nproc),
# FUZZ_RUNS (stop each target after this many executions instead of the time),
# FUZZ_PARALLEL (targets run at once, default nproc),
# CXX (default clang++-14).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ptm_reader reply_parser frame_parser lenient_int plan_csv ptm_make)
case "$seconds" in '' | *[!0-9]*) echo "fuzz.sh: seconds must be a whole number" >&2; exit 2 ;; esac

build=${FUZZ_BUILD_DIR:-build/fuzz}
work=${FUZZ_WORK_DIR:-$build/work}
cxx=${CXX:-clang++-14}
command -v "$cxx" >/dev/null || { echo "fuzz.sh: $cxx not found (apt-get install clang-14 libclang-rt-14-dev)" >&2; exit 2; }

# The fuzz preset: clang, libFuzzer's instrumentation and both sanitizers.
cmake --preset fuzz -B "$build" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
build_targets=(zuzo_fuzz_seeds)
for t in "${targets[@]}"; do build_targets+=("fuzz_$t"); done
cmake --build "$build" -j"${FUZZ_JOBS:-$(nproc)}" --target "${build_targets[@]}"

"$build/zuzo_fuzz_seeds" "$work/seeds"
declare -A seed_dir=([ptm_reader]=ptm [reply_parser]=reply [frame_parser]=frame [lenient_int]=int [plan_csv]=csv
    [ptm_make]=json)
# Longest input tried: a program file is 463 bytes, frames and replies are
# short lines (the frame parser's line limit is 256); a plan table is about 2 KB,
# a program's JSON about 3 KB.
declare -A max_len=([ptm_reader]=1024 [reply_parser]=256 [frame_parser]=768 [lenient_int]=64 [plan_csv]=4096
    [ptm_make]=6144)
# Dictionaries: the keys of the program JSON.
declare -A dict=([ptm_make]=fuzz/ptm_make.dict)
limit=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limit=(-runs="$FUZZ_RUNS")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# One target's run; prints its summary when it ends. Targets run side by
# side, FUZZ_PARALLEL at a time (default: one per core).
run_one() {
    local t=$1
    local corpus="$work/corpus/$t" findings="$work/findings/$t" log="$work/$t.log"
    mkdir -p "$corpus" "$findings"
    local extra=()
    [ -n "${dict[$t]:-}" ] && extra=(-dict="${dict[$t]}")
    if "$build/fuzz_$t" "${limit[@]}" "${extra[@]}" -max_len="${max_len[$t]}" -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "$work/seeds/${seed_dir[$t]}" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "== fuzz_$t (${limit[*]}): ${runs:-?} executions, no finding"
    else
        echo "== fuzz_$t (${limit[*]}): FINDING: see $log and $findings/"
        tail -30 "$log"
        return 1
    fi
}

for t in "${targets[@]}"; do
    [ -n "${seed_dir[$t]:-}" ] || { echo "fuzz.sh: unknown target $t" >&2; exit 2; }
done
parallel=${FUZZ_PARALLEL:-$(nproc)}
status=0
pids=()
for t in "${targets[@]}"; do
    run_one "$t" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$parallel" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit $status
