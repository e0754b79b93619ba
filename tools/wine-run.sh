#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. Its output goes through a file: Wine starts its service
# processes on demand with the program's standard handles, and they would hold ctest's pipe open long after the
# program has ended.
set -uo pipefail
log="$(mktemp)"
/usr/lib/wine/wine64 "$@" > "$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit "$status"
