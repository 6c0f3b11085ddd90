#!/usr/bin/env bash
# Runs a Windows program of the cross build under the 64-bit Wine: the
# emulator of the windows-cross presets (CMAKE_CROSSCOMPILING_EMULATOR),
# through which ctest lists and runs the test programs as it does on Linux.
# The program finds the Qt libraries and the compiler's run-time libraries
# through WINEPATH and Qt's plugins through QT_PLUGIN_PATH (Qt for Windows in
# QT_WINDOWS_DIR, by default shared/qt-windows beside the repository's
# folder). The prefix is WINEPREFIX (scripts/windows-check.sh makes a
# throw-away one; unset, Wine's default). What the program writes is passed
# on once it has ended, standard output with Linux line ends (the CR of each
# CR LF dropped), so that ctest reads the lists of test names: Wine's own
# background processes, which a first program in a prefix starts and which
# outlive it, then hold files of their own, not ctest's pipes (ctest would
# wait for those to close). The exit code is the program's.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
# shellcheck source=scripts/wine-common.sh
source "$(dirname "$0")/wine-common.sh"
export WINEDEBUG=${WINEDEBUG:--all}
# scripts/windows-check.sh sets the paths once for every test.
[ -n "${WINEPATH:-}" ] || wine_program_paths
output=$(mktemp "${TMPDIR:-/tmp}/zuzo-wine-run.XXXXXX")
errors=$(mktemp "${TMPDIR:-/tmp}/zuzo-wine-run.XXXXXX")
trap 'rm -f "$output" "$errors"' EXIT
wine "$@" </dev/null >"$output" 2>"$errors"
status=$?
tr -d '\r' <"$output"
cat "$errors" >&2
exit "$status"
