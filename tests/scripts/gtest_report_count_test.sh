#!/usr/bin/env bash
# scripts/gtest-report-count.sh against reports of a real GoogleTest run
# (tests/support/gtest_report_sample.xml: 2 passed, 2 failed, one of them
# with "<testcase" in its failure text, 1 skipped, 1 disabled), as Linux and
# as Windows (CR LF) write them, and against runs that ended without one.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
count="$here/../../scripts/gtest-report-count.sh"
sample="$here/../support/gtest_report_sample.xml"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed 's/$/\r/' "$sample" >"$work/crlf.xml"
sed '/<failure/,/<\/failure>/d' "$sample" >"$work/no-failure.xml"

# name | report | exit code | expected output (lines joined by "|")
rows=(
  "failures named|$sample|1|Sums.Fails|Table/Rows.Even/1|2 2 2"
  "written on Windows|$work/crlf.xml|1|Sums.Fails|Table/Rows.Even/1|2 2 2"
  "crashed before its report|$work/missing.xml|3|prog (ended with code 3 without a report)|0 1 0"
  "good end, report not where asked|$work/missing.xml|0|prog (ended with code 0 without a report)|0 1 0"
  "report without failure, bad end|$work/no-failure.xml|5|prog (ended with code 5)|4 1 2"
  "report without failure, good end|$work/no-failure.xml|0|4 0 2"
)
bad=0
for row in "${rows[@]}"; do
  IFS='|' read -r name report status expected <<<"$row"
  got=$("$count" prog "$status" "$report" | paste -sd'|')
  if [ "$got" != "$expected" ]; then
    echo "FAILED $name: got '$got', expected '$expected'"
    bad=1
  fi
done
[ "$bad" -eq 0 ] && echo "all ${#rows[@]} rows pass"
exit "$bad"
