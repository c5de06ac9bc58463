// SPDX-License-Identifier: MIT
// The platform type behind Binary128, chosen by what the compiler and C library offer. This
// is the only place that decides; everything else uses Binary128 and the conversions of
// engine/quad.h, and the build asks this header whether libquadmath must be linked.
#pragma once

#include <cfloat>

// A long double with 113 significand bits is IEEE binary128 (aarch64 Linux, among others):
// its arithmetic is the compiler's and its text conversions are the C library's strtold and
// printf, both correctly rounded in glibc. Elsewhere GCC's __float128 (x86-64) carries the
// format, with libquadmath for the text.
#if LDBL_MANT_DIG == 113 && LDBL_MAX_EXP == 16384
#define BITSCOPE_BINARY128_IS_LONG_DOUBLE 1
#elif defined(__SIZEOF_FLOAT128__)
#define BITSCOPE_BINARY128_IS_LONG_DOUBLE 0
#else
#error "Binary128 needs either an IEEE binary128 long double or GCC's __float128"
#endif

namespace bitscope {

#if BITSCOPE_BINARY128_IS_LONG_DOUBLE
using Binary128 = long double;
#else
using Binary128 = __float128;
#endif

// The engine reads and writes the encoding through 16-byte bit patterns.
static_assert(sizeof(Binary128) == 16, "Binary128 must occupy exactly its 128 bits");

}  // namespace bitscope
