#!/usr/bin/env bash
# Includes run downwards only: ui/ includes nothing of app/, link/, program/
# or plans/; link/, program/ and plans/ never include app/; program/ never
# includes plans/. Names every include that runs upwards and fails then.
set -uo pipefail
cd "$(dirname "$0")/../.."
upwards=$(
  grep -rnE '#include "(app|link|program|plans)/' ui
  grep -rnE '#include "app/' link program plans
  grep -rnE '#include "plans/' program
)
if [ -n "$upwards" ]; then
  printf 'includes that run upwards:\n%s\n' "$upwards"
  exit 1
fi
