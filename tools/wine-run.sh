#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. Its output goes through a file: Wine starts its service
# processes on demand with the program's standard handles, and they would hold ctest's pipe open long after the
# program has ended. A program whose main thread died while other threads of Wine's stay (as after a stack
# overflow) never ends by itself: it is killed and fails at once rather than at ctest's timeout.
set -uo pipefail
log="$(mktemp)"
/usr/lib/wine/wine64 "$@" > "$log" 2>&1 &
program=$!
dead=0
while kill -0 "$program" 2> /dev/null; do
    state="$(cut -d' ' -f3 "/proc/$program/stat" 2> /dev/null || true)"
    if [[ "$state" == Z ]] && ((++dead > 10)); then
        kill -9 "$program"
        break
    fi
    sleep 1
done
wait "$program"
status=$?
cat "$log"
rm -f "$log"
if ((dead > 10)); then
    echo "wine-run.sh: the program's main thread ended but the process did not; killed"
    exit 1
fi
exit "$status"
