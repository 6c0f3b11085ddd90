#!/usr/bin/env bash
# Static analysis of the libraries that use the standard library alone (the
# core in program/core, plans/core and link/core, the companion's
# standard-library and JSON parts in tools/zuzo/core and tools/zuzo/json,
# the simulator in tools/devsim/) with clang-tidy 14 and the checks of
# .clang-tidy, which look for bugs, not style. The tidy
# preset configures build/tidy (clang-14, every file alone, those libraries
# only) for its compile_commands.json; nothing is built. Each finding is
# printed with its file and line; the exit code is 0 only when there is none.
# A file found clean is remembered (in ${XDG_CACHE_HOME:-~/.cache}/zuzo-tidy,
# TIDY_CACHE=0 forgets it) by what its analysis reads of ours: its text and
# compile flags, every header and .clang-tidy, and the versions of clang-tidy
# and of the library headers it includes; it is checked again when one of
# them changed. Needs clang-14 and clang-tidy-14 (scripts/install-deps.sh
# --ci installs them).
# Usage: scripts/tidy-check.sh [FILE.cpp...]   (by default every such file)
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
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zuzo-tidy
top=$PWD
# What every file's analysis shares: the headers, the checks, the tools.
common=$({
  git ls-files -z -co --exclude-standard '*.h' | xargs -0 sha256sum
  sha256sum .clang-tidy
  clang-tidy-14 --version
  dpkg-query -W libstdc++-12-dev nlohmann-json3-dev 2>/dev/null || true
} | sha256sum | cut -c1-64)
key() {
  local file=${1#"$top"/}
  {
    echo "$common"
    sha256sum "$file"
    grep -F -B3 -A1 "\"file\": \"$top/$file\"" "$database" | sed "s|$top|.|g"
  } | sha256sum | cut -c1-64
}
mkdir -p "$cache"
todo=()
for file in "${files[@]}"; do
  k=$(key "$file")
  if [ "${TIDY_CACHE:-1}" = 0 ] || [ ! -f "$cache/$k" ]; then
    todo+=("$k" "$file")
  fi
done
echo "clang-tidy on $((${#todo[@]} / 2)) of ${#files[@]} files (the others found clean before and unchanged since)"
status=0
if [ ${#todo[@]} -gt 0 ]; then
  # Each file alone; one found clean is remembered by its key.
  printf '%s\0' "${todo[@]}" |
    CACHE=$cache xargs -0 -n 2 -P "$(nproc)" \
      sh -c 'clang-tidy-14 -p build/tidy --quiet "$2" 2>/dev/null && touch "$CACHE/$1"' sh || status=$?
fi
echo "clang-tidy took $(($(date +%s) - start)) s"
if [ "$status" -ne 0 ]; then
  echo "clang-tidy found something (above)" >&2
  exit 1
fi
