#!/usr/bin/env bash
# The Windows build and its tests: builds the framework, TalControl.dll and the behaviour tests with Debian's
# MinGW-w64 cross compilers (64-bit, which runs here, with the demo host; 32-bit, which must compile and
# link), then runs the 64-bit tests under Wine on a virtual X display (Xvfb). Installs the cross compilers,
# Wine and Xvfb with apt-get when they are missing (as root). The folder to build in is the first argument.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Absolute, as Wine wants its prefix inside it.
build="$(realpath -m "${1:-$root/build/windows}")"
source "$root/tools/wine-session.sh"

"$root/tools/install-packages.sh" "${windows_packages[@]}"

# 32-bit: the library and the framework's entry part for programs, built and linked only (this machine
# cannot run 32-bit programs). The 64-bit build's SDK archive installs them as they are, without building
# the rest of the tree first.
cmake -S "$root" -B "$build/win32" "${windows_common[@]}" -DTAL_MINGW_ARCH=i686 -DBUILD_TESTING=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build/win32" --target TalControl TalFrameworkMain -j"$(nproc)"
# 64-bit: the library, the demo and the tests, which ctest runs under Wine.
build_windows64

start_wine_session
ctest --test-dir "$build/win64" --output-on-failure --timeout 600
