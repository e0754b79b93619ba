#!/usr/bin/env bash
# Installs, configures and builds everything with warnings as errors, then runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/test"
"$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
"$root/tools/test-sanitize.sh"
# The Windows build and its Wine run join on request: under ctest, Wine's service processes can keep a finished
# test's output open until its timeout, which the run does not yet guard against.
if [[ "${TAL_WINDOWS:-0}" == 1 ]]; then
    "$root/tools/test-windows.sh" "$root/build/windows"
fi
