#!/usr/bin/env bash
# Counts the tests of one GoogleTest program from its XML report
# (--gtest_output=xml:REPORT): prints the name of every failed test, then a
# last line "PASSED FAILED SKIPPED". A test that did not run (disabled)
# counts as skipped. A program that ended with a non-zero code without
# reporting a failed test (it crashed), or that wrote no report whatever its
# code, adds one failure under its own name. Used by scripts/windows-check.sh.
# Usage: gtest-report-count.sh PROGRAM EXIT_CODE REPORT
set -euo pipefail
program=$1
status=$2
report=$3
counted="0 0 0"
if [ -s "$report" ]; then
  counted=$(awk '
    function attr(key) {
      if (!match($0, " " key "=\"[^\"]*\"")) return ""
      return substr($0, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
    }
    function finish() {
      if (name == "") return
      if (failed) { print name; f++ } else if (skipped) s++; else p++
      name = ""
    }
    # Failure texts may hold anything, even "<testcase", on lines of their own.
    in_text { if (index($0, "]]>")) in_text = 0; next }
    /<testcase / {
      finish()
      name = attr("classname") "." attr("name")
      failed = 0
      skipped = $0 ~ /status="notrun"/ || $0 ~ /result="skipped"/
    }
    /<failure[ >]/ { failed = 1 }
    /<skipped[ >]/ { skipped = 1 }
    /<!\[CDATA\[/ { if (!index(substr($0, index($0, "<![CDATA[")), "]]>")) in_text = 1 }
    END { finish(); print p + 0, f + 0, s + 0 }
  ' "$report")
fi
last=${counted##*$'\n'}
read -r passed failed skipped <<<"$last"
if [ "$counted" != "$last" ]; then
  printf '%s\n' "${counted%$'\n'*}"
fi
if [ ! -s "$report" ] && [ "$failed" -eq 0 ]; then
  echo "$program (ended with code $status without a report)"
  failed=1
elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  echo "$program (ended with code $status)"
  failed=1
fi
echo "$passed $failed $skipped"
