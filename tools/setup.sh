#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root), then configures and builds into the folder
# given as the first argument. Further arguments go to cmake's configure step. TAL_PACKAGES adds packages,
# TAL_TARGETS limits the build to the targets it names.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
shift

packages=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libfreetype-dev fonts-dejavu-core clang-format git binutils-mingw-w64-x86-64)
read -r -a extra <<<"${TAL_PACKAGES:-}"
packages+=("${extra[@]}")
"$root/tools/install-packages.sh" "${packages[@]}"

cmake -S "$root" -B "$build" "$@"
read -r -a targets <<<"${TAL_TARGETS:-all}"
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
