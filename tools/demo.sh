#!/usr/bin/env bash
# Installs, configures and builds everything, then runs the demo host.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/demo"
"$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
"$build/demo/tal-demo"
