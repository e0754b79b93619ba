#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, address and undefined-behaviour sanitizers, and runs each
# for the given number of seconds (default 600), one after another, starting from its seed corpus in
# fuzz/corpus/<target>. New inputs go to build/fuzz/corpus/<target>; findings to build/fuzz/findings.
# Usage: tools/fuzz.sh [seconds] [target ...]   (targets: IdRecords Paths Operations)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
seconds="${1:-600}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(IdRecords Paths Operations)

# The framework declares overrides as its real counterpart does, which clang warns of: no -Werror here.
TAL_PACKAGES="clang libclang-rt-14-dev" TAL_TARGETS="$(printf 'fuzz_%s ' "${targets[@]}")" CXX=clang++ \
    "$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_FUZZ=ON -DBUILD_TESTING=OFF \
    -DTAL_SANITIZE=address,undefined -DCMAKE_CXX_COMPILER=clang++

mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    "$build/fuzz/fuzz_$target" "$corpus" "$root/fuzz/corpus/$target" -max_total_time="$seconds" \
        -artifact_prefix="$build/findings/$target-" -print_final_stats=1 2>&1 | tail -n 25
done
