# SPDX-License-Identifier: MIT
# Included before the subsystems when BITSCOPE_BUILD_FUZZ is on: every library of the
# build gets libFuzzer's coverage instrumentation and the address and undefined-behaviour
# sanitizers, so that the fuzzers are guided by, and check, the program's own code.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz targets need clang (libFuzzer): configure with "
                      "-DCMAKE_CXX_COMPILER=clang++ (see fuzz/README.md).")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

# Clang knows __float128 but not GCC's quadmath.h, which lives in GCC's own include
# folder; searched after every other folder, so that it shadows nothing of clang's.
find_program(BITSCOPE_GCC gcc REQUIRED)
execute_process(COMMAND ${BITSCOPE_GCC} -print-file-name=include
                OUTPUT_VARIABLE BITSCOPE_GCC_INCLUDE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
add_compile_options(-idirafter ${BITSCOPE_GCC_INCLUDE})
