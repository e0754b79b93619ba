#!/usr/bin/env bash
# Builds the library and its package without the tests, benchmarks and fuzzers, installs the package into a
# prefix inside the build tree, builds the demo against the installed package as a separate project, and
# runs its guided tour, which leaves a picture of the dialog after each step and names that folder at the
# end. The label edit step's picture, compressed, goes to demo/pictures/label-edit.png.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/demo"
TAL_PACKAGES="${TAL_PACKAGES:-} python3" "$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --install "$build" --prefix "$build/prefix"
cmake -S "$root/demo" -B "$build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$build/prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
cmake --build "$build/host" -j"$(nproc)"
"$build/host/tal-demo" "$build/pictures"
python3 "$root/tools/compress-png.py" "$build/pictures/04-edit-typing.png" "$root/demo/pictures/label-edit.png"
