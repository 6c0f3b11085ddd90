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
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}"
  echo "${#bad[@]} of ${#files[@]} files are not formatted: scripts/format-check.sh --fix formats them"
  exit 1
fi
echo "all ${#files[@]} C++ files formatted"
