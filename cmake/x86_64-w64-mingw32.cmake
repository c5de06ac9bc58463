# SPDX-License-Identifier: MIT
# Cross-building the Windows programs with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
# The posix thread model is the one GoogleTest builds with (std::thread, std::mutex); the
# programs are linked statically, so the thread model's runtime travels inside the .exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is linked statically (libstdc++, libgcc, winpthread, libquadmath), so that the
# .exe files import only DLLs that Windows itself has.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# The programs built here run under Wine: CTest starts every test through it. Debian's wine64
# package has only the 64-bit loader, which the `wine` wrapper tries after a 32-bit one (and
# warns about its absence): the loader itself is asked for first.
find_program(BITSCOPE_WINE NAMES wine64 wine HINTS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${BITSCOPE_WINE})
