#!/usr/bin/env bash
# Configures and builds everything, then runs the demo host's guided tour, which leaves a picture of the
# window after each step in the build tree and names that folder at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/demo"
"$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
"$build/demo/tal-demo" "$build/demo/pictures"
