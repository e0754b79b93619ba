#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it with the project's style.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "all C++ files follow the project's format"
