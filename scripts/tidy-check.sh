#!/usr/bin/env bash
# Static analysis of the standard-library core (program/, plans/, link/,
# app/ and the companion's and simulator's parts in tools/ that use no Qt)
# with clang-tidy 14 and the checks of .clang-tidy, which look for bugs, not
# style. The tidy preset configures build/tidy (clang-14, every file alone,
# the core only) for its compile_commands.json; nothing is built. Each
# finding is printed with its file and line; the exit code is 0 only when
# there is none. Needs clang-14 and clang-tidy-14 (scripts/install-deps.sh
# --ci installs them).
# Usage: scripts/tidy-check.sh [FILE.cpp...]   (by default every core file)
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in clang++-14 clang-tidy-14; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: scripts/install-deps.sh --ci installs it" >&2
    exit 2
  fi
done
start=$(date +%s)
cmake --preset tidy >/dev/null
database=build/tidy/compile_commands.json
if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(sed -n 's|^ *"file": "\(.*\.cpp\)",\?$|\1|p' "$database" | sort -u)
fi
echo "clang-tidy on ${#files[@]} files"
status=0
printf '%s\0' "${files[@]}" |
  xargs -0 -n 4 -P "$(nproc)" clang-tidy-14 -p build/tidy --quiet 2>/dev/null || status=$?
echo "clang-tidy took $(($(date +%s) - start)) s"
if [ "$status" -ne 0 ]; then
  echo "clang-tidy found something (above)" >&2
  exit 1
fi
