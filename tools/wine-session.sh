# Sourced by the Windows scripts: the 64-bit cross build, and a Wine session of their own on a virtual X
# display (Xvfb), both inside the build folder given. Needs $root (the repository) and $build set.
wine=/usr/lib/wine/wine64
windows_packages=(cmake make g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 xvfb)

windows_common=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAL_WERROR=ON)
if command -v ccache > /dev/null; then
    windows_common+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Configures the 64-bit build, whose tests ctest runs under Wine and whose SDK archive holds the 32-bit build
# beside it; builds the targets given, or all.
build_windows64() {
    cmake -S "$root" -B "$build/win64" "${windows_common[@]}" -DTAL_MINGW_ARCH=x86_64 \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/wine-run.sh" -DTAL_SDK_X86_BUILD="$build/win32"
    local targets=()
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build "$build/win64" "${targets[@]}" -j"$(nproc)"
}

# A display of its own, 1024 by 768, and Wine's state in the build folder; both gone when the script ends.
start_wine_session() {
    local display_file="$build/xvfb-display"
    : > "$display_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" &
    xvfb=$!
    trap 'timeout 60 /usr/lib/wine/wineserver -k || true; kill "$xvfb" 2> /dev/null || true' EXIT
    for _ in $(seq 300); do
        [[ -s "$display_file" ]] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$display_file")"

    # Wine's first start sets its state up. Windows that no window manager handles open and close without
    # waiting for one.
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # One Wine server for the whole run (it may already run, left by an interrupted run).
    /usr/lib/wine/wineserver -p > /dev/null 2>&1 || true
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        timeout 300 "$wine" wineboot -i
        timeout 120 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    fi
    # Its services started here rather than inside a program.
    timeout 120 "$wine" wineboot > /dev/null 2>&1
}
