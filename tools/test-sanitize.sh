#!/usr/bin/env bash
# Builds the whole suite with the address and undefined-behaviour sanitizers (leaks included) and runs it,
# the replay of the fuzz corpora with it. Any report ends its test with a failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/sanitize"
start=$SECONDS
"$root/tools/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON -DTAL_SANITIZE=address,undefined
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=report_objects=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 1200
echo "sanitizer build and run: $((SECONDS - start)) s"
