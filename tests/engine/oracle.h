// SPDX-License-Identifier: MIT
// Test support: MPFR as an independent oracle for the formats, beside the bit patterns of
// patterns.h.
#pragma once

#include <cstdlib>
#include <string>

#include "patterns.h"

// MPFR converts a binary128 long double exactly with its long double interface. Its
// __float128 interface is declared for the C type _Float128, which is GCC's __float128
// under another name (same representation and calling convention).
#if !BITSCOPE_BINARY128_IS_LONG_DOUBLE
#define MPFR_WANT_FLOAT128 1
#define _Float128 __float128
#endif
#include <mpfr.h>
#if !BITSCOPE_BINARY128_IS_LONG_DOUBLE
#undef _Float128
#endif

namespace bitscope::test {

// An MPFR variable at the precision of T whose exponent range is that of T for the duration
// of the scope, subnormals emulated with mpfr_subnormalize.
template <IeeeBinary T>
class FormatScope {
 public:
  FormatScope() : savedEmin_(mpfr_get_emin()), savedEmax_(mpfr_get_emax()) {
    // MPFR writes x = m * 2^E with 0.5 <= m < 1: the smallest subnormal 2^(emin - p + 1)
    // has E = emin - p + 2, the largest finite value E = emax + 1.
    mpfr_set_emin(Params<T>::emin - Params<T>::p + 2);
    mpfr_set_emax(Params<T>::emax + 1);
  }
  ~FormatScope() {
    mpfr_set_emin(savedEmin_);
    mpfr_set_emax(savedEmax_);
  }
  FormatScope(const FormatScope&) = delete;
  FormatScope& operator=(const FormatScope&) = delete;

 private:
  mpfr_exp_t savedEmin_, savedEmax_;
};

// A MPFR number with RAII.
class Mp {
 public:
  explicit Mp(mpfr_prec_t precision) { mpfr_init2(x_, precision); }
  ~Mp() { mpfr_clear(x_); }
  Mp(const Mp&) = delete;
  Mp& operator=(const Mp&) = delete;
  mpfr_ptr get() { return x_; }
  operator mpfr_ptr() { return x_; }

 private:
  mpfr_t x_;
};

#if BITSCOPE_BINARY128_IS_LONG_DOUBLE
inline int setBinary128(mpfr_ptr m, Binary128 x) { return mpfr_set_ld(m, x, MPFR_RNDN); }
inline Binary128 getBinary128(mpfr_ptr m) { return mpfr_get_ld(m, MPFR_RNDN); }
#else
inline int setBinary128(mpfr_ptr m, Binary128 x) { return mpfr_set_float128(m, x, MPFR_RNDN); }
inline Binary128 getBinary128(mpfr_ptr m) { return mpfr_get_float128(m, MPFR_RNDN); }
#endif

// Exact value of x into m (m must have at least p bits of precision).
template <IeeeBinary T>
void setExact(mpfr_ptr m, T x) {
  int inexact = 0;
  if constexpr (std::same_as<T, Binary32>)
    inexact = mpfr_set_flt(m, x, MPFR_RNDN);
  else if constexpr (std::same_as<T, Binary64>)
    inexact = mpfr_set_d(m, x, MPFR_RNDN);
  else if constexpr (SmallIeeeBinary<T>)
    inexact = mpfr_set_d(m, static_cast<double>(x), MPFR_RNDN);
  else
    inexact = setBinary128(m, x);
  if (inexact != 0) std::abort();
}

// m (already a value of the format) as T.
template <IeeeBinary T>
T getExact(mpfr_ptr m) {
  if constexpr (std::same_as<T, Binary32>)
    return mpfr_get_flt(m, MPFR_RNDN);
  else if constexpr (std::same_as<T, Binary64>)
    return mpfr_get_d(m, MPFR_RNDN);
  else if constexpr (SmallIeeeBinary<T>)
    return T(mpfr_get_d(m, MPFR_RNDN));  // exact: m is a value of T
  else
    return getBinary128(m);
}

// The decimal text (letters e only) correctly rounded into T, in T's own range.
template <IeeeBinary T>
T roundDecimal(const std::string& text, bool& overflow);

// The sum a + b rounded to nearest even in T (overflow to infinity).
template <IeeeBinary T>
T roundedSum(T a, T b);

// The next value of T above x (below x): x +- smallestSubnormal rounded up (down) into T.
template <IeeeBinary T>
T oracleNextUp(T x);
template <IeeeBinary T>
T oracleNextDown(T x);

// x printed by mpfr_sprintf with the given format and value (exact value of x).
template <IeeeBinary T>
std::string mpfrPrint(const char* format, int digits, T x);

}  // namespace bitscope::test
