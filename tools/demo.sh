#!/usr/bin/env bash
# Builds everything, installs the package into a prefix inside the build tree, builds the demo host against
# the installed package as a separate project, and runs its guided tour, which leaves a picture of the window
# after each step and names that folder at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/demo"
"$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --install "$build" --prefix "$build/prefix"
cmake -S "$root/demo" -B "$build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$build/prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
cmake --build "$build/host" -j"$(nproc)"
"$build/host/tal-demo" "$build/pictures"
