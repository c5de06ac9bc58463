// SPDX-License-Identifier: MIT
// read() and write() take a size_t count on POSIX and an unsigned int in the Windows C
// runtime. Every caller loops until its bytes are moved, so one call is simply given at most
// a gigabyte.
#pragma once

#include <algorithm>
#include <cstddef>

namespace bitscope::cli {

#ifdef _WIN32
using IoCount = unsigned int;
#else
using IoCount = std::size_t;
#endif

inline IoCount ioCount(std::size_t bytes) {
  return static_cast<IoCount>(std::min<std::size_t>(bytes, std::size_t{1} << 30));
}

}  // namespace bitscope::cli
