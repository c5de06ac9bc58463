# SPDX-License-Identifier: MIT
# Warnings for the project's own targets only: third-party headers come in as
# system includes and are not held to this standard.
function(bitscope_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wconversion -Wno-sign-conversion)
  # __float128 is a GNU extension that -Wpedantic would otherwise flag everywhere.
  target_compile_options(${target} PRIVATE -Wno-pedantic)
  if(BITSCOPE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
