#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the project is not formatted
# by its .clang-format (clang-format 14, Debian's). With --fix it formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing: apt-get install clang-format" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# One clang-format for many files, on every core: each file that is not
# formatted is named in the first line of its complaint.
mapfile -t bad < <(printf '%s\0' "${files[@]}" |
  xargs -0 -n 64 -P "$(nproc)" clang-format --dry-run -Werror 2>&1 >/dev/null |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}"
  echo "${#bad[@]} of ${#files[@]} files are not formatted: scripts/format-check.sh --fix formats them"
  exit 1
fi
echo "all ${#files[@]} C++ files formatted"
