# SPDX-License-Identifier: MIT
# Cross-building for 64-bit ARM Linux with Debian's cross compiler (g++-aarch64-linux-gnu).
# Libraries come from Debian's arm64 architecture (multiarch, /usr/lib/aarch64-linux-gnu) and
# the programs built here run under qemu-user: CTest starts every test through the emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Searches the multiarch folders of the target only: a host library of the same name (x86-64)
# must never be picked up.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu)

# The arm64 C library of the multiarch install provides /lib/ld-linux-aarch64.so.1, so the
# emulator needs no sysroot of its own.
find_program(BITSCOPE_QEMU_AARCH64 NAMES qemu-aarch64 qemu-aarch64-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${BITSCOPE_QEMU_AARCH64})
