#!/usr/bin/env bash
# What scripts/release.sh refuses before it builds anything, each row in a
# clone of the repository's last commit (exit code 2 and the reason):
#
#   row       | the clone                          | VERSION     | refused because
#   ----------+------------------------------------+-------------+---------------------------
#   other     | as committed                       | 9.9.9       | not the build's version
#   changed   | a tracked file changed             | the build's | changes not committed
#   new file  | a file not in git                  | the build's | changes not committed
#   no entry  | the project's version raised,      | the raised  | no entry in the changelog
#             | committed                          |             |
#   accepted  | as committed, no Qt for Windows    | the build's | past the checks above: only
#             |                                    |             | Qt for Windows is missing
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
fault() { echo "FAILED: $1"; faults=$((faults + 1)); }
if ! git -C "$top" rev-parse --verify -q HEAD >/dev/null; then
  echo "not a git checkout: nothing to clone"
  exit 1
fi
fresh() { # a clone of the last commit in $work/repo
  rm -rf "$work/repo"
  git clone -q "$top" "$work/repo" && git -C "$work/repo" config user.email check@invalid &&
    git -C "$work/repo" config user.name check
}
version=$(sed -n 's/^project([^ ]* VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
# row NAME VERSION EXPECTED: release.sh of the clone refuses with EXPECTED.
row() {
  local status=0
  QT_WINDOWS_DIR="$work/no-qt" "$work/repo/scripts/release.sh" "$2" >"$work/out" 2>&1 || status=$?
  if [ "$status" -ne 2 ] || ! grep -q "$3" "$work/out"; then
    fault "$1: exit code $status, not 2 with \"$3\": $(tr '\n' ' ' <"$work/out" | cut -c1-300)"
  elif [ -e "$work/repo/build/release-$2" ]; then
    fault "$1: refused, but made $work/repo/build/release-$2"
  else
    echo "ok: $1"
  fi
}
fresh && row "other version" 9.9.9 "is not the build's version $version"
fresh && echo "# changed" >>"$work/repo/README.md" && row "changed file" "$version" "changes not committed"
fresh && touch "$work/repo/notes.txt" && row "file not in git" "$version" "changes not committed"
raised=${version%.*}.$((${version##*.} + 1))
fresh && sed -i "s/^\(project([^ ]* VERSION \)$version/\1$raised/" "$work/repo/CMakeLists.txt" &&
  git -C "$work/repo" commit -qam "raised" && row "no changelog entry" "$raised" "has no entry \"== $raised"
fresh && row "accepted" "$version" "no Qt for Windows in"
echo "$faults faults"
[ "$faults" -eq 0 ]
