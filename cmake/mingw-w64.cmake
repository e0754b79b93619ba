# Cross build for Windows with Debian's MinGW-w64 compilers (posix thread model, for std::thread).
# TAL_MINGW_ARCH selects the target: x86_64 (default) or i686.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT TAL_MINGW_ARCH)
  set(TAL_MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${TAL_MINGW_ARCH})
set(TAL_MINGW_TRIPLE ${TAL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${TAL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler's own runtime goes into each module, so that a module needs only system libraries and the
# project's own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# A shared library exports only its own symbols, never those of the static runtime.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--exclude-libs,libgcc.a:libgcc_eh.a:libstdc++.a:libwinpthread.a:libpthread.a:libuuid.a")
