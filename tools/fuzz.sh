#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, address and undefined-behaviour sanitizers, and runs each
# from its seed corpus in fuzz/corpus/<target>, for the given number of seconds (default 600) or, with
# -runs=N, for N inputs. -j2 runs two targets at a time, one a core. New inputs go to
# build/fuzz/corpus/<target>, findings to build/fuzz/findings, each run's output to
# build/fuzz/logs/<target>.log, ending with libFuzzer's figures and the run's CPU time.
# Usage: tools/fuzz.sh [-j2] [seconds | -runs=N] [target ...]
#   (targets: IdRecords Paths Operations DialogTemplate ResFile Scenario)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
jobs=1
if [[ "${1:-}" == -j* ]]; then
    jobs="${1#-j}"
    shift
fi
limit="-max_total_time=${1:-600}"
[[ "${1:-}" == -runs=* ]] && limit="$1"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(IdRecords Paths Operations DialogTemplate ResFile Scenario)

# The framework declares overrides as its real counterpart does, which clang warns of: no -Werror here.
TAL_PACKAGES="clang libclang-rt-14-dev" TAL_TARGETS="$(printf 'fuzz_%s ' "${targets[@]}")" CXX=clang++ \
    "$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_FUZZ=ON -DBUILD_TESTING=OFF \
    -DTAL_SANITIZE=address,undefined -DCMAKE_CXX_COMPILER=clang++

mkdir -p "$build/findings" "$build/logs"
run() {
    local target="$1" corpus="$build/corpus/$1" log="$build/logs/$1.log"
    mkdir -p "$corpus"
    local TIMEFORMAT="cpu: %U s user, %S s system, %R s wall"
    { time "$build/fuzz/fuzz_$target" "$corpus" "$root/fuzz/corpus/$target" "$limit" \
        -artifact_prefix="$build/findings/$target-" -print_final_stats=1; } >"$log" 2>&1 || true
    echo "== $target"
    tail -n 14 "$log"
}
for target in "${targets[@]}"; do
    while (($(jobs -rp | wc -l) >= jobs)); do
        wait -n
    done
    run "$target" &
done
wait
