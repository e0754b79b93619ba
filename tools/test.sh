#!/usr/bin/env bash
# Installs, configures and builds everything with warnings as errors, then runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/test"
# The API reference needs Doxygen, the Debian package dpkg-shlibdeps and file.
TAL_PACKAGES="${TAL_PACKAGES:-} doxygen dpkg-dev file" \
    "$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
"$root/tools/test-sanitize.sh"
# The Windows build, and its tests under Wine; TAL_WINDOWS=0 leaves it out.
if [[ "${TAL_WINDOWS:-1}" != 0 ]]; then
    "$root/tools/test-windows.sh" "$root/build/windows"
fi
