# shellcheck shell=bash
# machine_line BUILD_DIR: one line naming the machine a benchmark ran on, read
# from the machine itself: CPU model and whether it runs virtualised, cores,
# memory, the system and its kernel, the compiler and build type of the
# build folder, and the load average at the start. Sourced by bench.sh and
# soak.sh.
machine_line() {
    local build=$1 cpu virt os compiler build_type
    cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//; s/  */ /g')
    [ -n "$cpu" ] || cpu=$(uname -m)
    virt=
    if command -v systemd-detect-virt >/dev/null; then
        virt=$(systemd-detect-virt 2>/dev/null || true)
        [ "$virt" = none ] && virt=
    fi
    [ -z "$virt" ] && grep -qw hypervisor /proc/cpuinfo && virt=yes
    [ -n "$virt" ] && cpu="$cpu (virtual machine${virt:+, $virt})"
    cpu=${cpu/(virtual machine, yes)/(virtual machine)}
    os=$( (. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME") || uname -s)
    compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)
    [ -n "$compiler" ] && compiler="$("$compiler" --version 2>/dev/null | head -1)"
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)
    echo "Machine: $cpu, $(nproc) cores," \
        "$(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
        "$os, $(uname -sr), ${compiler:-compiler unknown} ${build_type:-?} build," \
        "load average at start $(cut -d' ' -f1-3 /proc/loadavg)"
}
