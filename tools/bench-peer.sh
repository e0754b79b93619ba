#!/usr/bin/env bash
# Measures the library's ID import against a hand-written host on the emulated tree view and Qt 5's
# QTreeWidget (bench/peer/): installs Qt 5's development package if it is missing (as root), configures the
# build folder given as the first argument (build/test by default) as the set-up commands do, builds
# peer_bench alone and runs it. The tables go to the standard output, some minutes later.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/test}"
TAL_PACKAGES="${TAL_PACKAGES:-} qtbase5-dev" TAL_TARGETS=peer_bench \
    "$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON
"$build/bench/peer_bench"
