#!/usr/bin/env bash
# The Windows build and its tests: builds the framework, TalControl.dll and the behaviour tests with Debian's
# MinGW-w64 cross compilers (64-bit, which runs here; 32-bit, which must compile and link), then runs the
# 64-bit tests under Wine on a virtual X display (Xvfb). Installs the cross compilers, Wine and Xvfb with
# apt-get when they are missing (as root). The folder to build in is the first argument.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/windows}"

packages=(cmake make g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb)
"$root/tools/install-packages.sh" "${packages[@]}"
wine=/usr/lib/wine/wine64

common=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON)
if command -v ccache > /dev/null; then
    common+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# 32-bit: the library, built and linked only (this machine cannot run 32-bit programs).
cmake -S "$root" -B "$build/win32" "${common[@]}" -DTAL_MINGW_ARCH=i686 -DBUILD_TESTING=OFF
cmake --build "$build/win32" --target TalControl -j"$(nproc)"
# 64-bit: the library and the tests, which ctest runs under Wine.
cmake -S "$root" -B "$build/win64" "${common[@]}" -DTAL_MINGW_ARCH=x86_64 -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/wine-run.sh"
cmake --build "$build/win64" -j"$(nproc)"

# A display of its own, 1024 by 768, gone when the script ends.
display_file="$build/xvfb-display"
: > "$display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" &
xvfb=$!
trap 'timeout 60 /usr/lib/wine/wineserver -k || true; kill "$xvfb" 2> /dev/null || true' EXIT
for _ in $(seq 300); do
    [[ -s "$display_file" ]] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$display_file")"

# Wine's own state lives in the build folder; its first start sets it up. Windows that no window manager
# handles open and close without waiting for one.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One Wine server for the whole run (it may already run, left by an interrupted run).
/usr/lib/wine/wineserver -p > /dev/null 2>&1 || true
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    timeout 300 "$wine" wineboot -i
    timeout 120 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
fi
# Its services started here rather than inside a test.
timeout 120 "$wine" wineboot > /dev/null 2>&1

ctest --test-dir "$build/win64" --output-on-failure --timeout 600
