// SPDX-License-Identifier: MIT
#include "oracle.h"

#include <cstdlib>

namespace bitscope::test {

template <IeeeBinary T>
T roundDecimal(const std::string& text, bool& overflow) {
  const FormatScope<T> scope;
  Mp m(Params<T>::p);
  char* end = nullptr;
  int inexact = mpfr_strtofr(m, text.c_str(), &end, 10, MPFR_RNDN);
  if (*end != '\0') std::abort();
  inexact = mpfr_check_range(m, inexact, MPFR_RNDN);
  mpfr_subnormalize(m, inexact, MPFR_RNDN);
  overflow = mpfr_inf_p(m) != 0;
  return getExact<T>(m);
}

template <IeeeBinary T>
T roundedSum(T a, T b) {
  Mp x(Params<T>::p + 2), y(Params<T>::p + 2);
  setExact(x, a);
  setExact(y, b);
  const FormatScope<T> scope;
  Mp sum(Params<T>::p);
  int inexact = mpfr_add(sum, x, y, MPFR_RNDN);
  inexact = mpfr_check_range(sum, inexact, MPFR_RNDN);
  mpfr_subnormalize(sum, inexact, MPFR_RNDN);
  return getExact<T>(sum);
}

namespace {

template <IeeeBinary T>
T stepped(T x, bool up) {
  // x +- 2^(emin - p + 1) is exact at a wide precision; rounding it up (down) into T gives
  // the first value of T beyond x, since all values of T are multiples of that step.
  constexpr int tinyExponent = Params<T>::emin - Params<T>::p + 1;
  Mp exact(Params<T>::emax - tinyExponent + 2);
  setExact(exact, x);
  Mp tiny(2);
  mpfr_set_ui_2exp(tiny, 1, tinyExponent, MPFR_RNDN);
  if (up)
    mpfr_add(exact, exact, tiny, MPFR_RNDN);
  else
    mpfr_sub(exact, exact, tiny, MPFR_RNDN);
  const FormatScope<T> scope;
  Mp rounded(Params<T>::p);
  const mpfr_rnd_t mode = up ? MPFR_RNDU : MPFR_RNDD;
  int inexact = mpfr_set(rounded, exact, mode);
  inexact = mpfr_check_range(rounded, inexact, mode);
  mpfr_subnormalize(rounded, inexact, mode);
  // Stepping from a value of the smallest magnitude onto zero keeps x's sign:
  // nextUp(-smallestSubnormal) is -0.
  if (mpfr_zero_p(rounded)) mpfr_setsign(rounded, rounded, mpfr_signbit(exact) || x < 0, MPFR_RNDN);
  return getExact<T>(rounded);
}

}  // namespace

template <IeeeBinary T>
T oracleNextUp(T x) {
  return stepped(x, true);
}
template <IeeeBinary T>
T oracleNextDown(T x) {
  return stepped(x, false);
}

template <IeeeBinary T>
std::string mpfrPrint(const char* format, int digits, T x) {
  Mp m(Params<T>::p);
  setExact(m, x);
  char* text = nullptr;
  if (mpfr_asprintf(&text, format, digits, m.get()) < 0) std::abort();
  std::string result(text);
  mpfr_free_str(text);
  return result;
}

template Binary32 roundDecimal(const std::string&, bool&);
template Binary64 roundDecimal(const std::string&, bool&);
template Binary128 roundDecimal(const std::string&, bool&);
template Binary16 roundDecimal(const std::string&, bool&);
template BFloat16 roundDecimal(const std::string&, bool&);
template Binary32 roundedSum(Binary32, Binary32);
template Binary64 roundedSum(Binary64, Binary64);
template Binary128 roundedSum(Binary128, Binary128);
template Binary16 roundedSum(Binary16, Binary16);
template BFloat16 roundedSum(BFloat16, BFloat16);
template Binary32 oracleNextUp(Binary32);
template Binary64 oracleNextUp(Binary64);
template Binary128 oracleNextUp(Binary128);
template Binary16 oracleNextUp(Binary16);
template BFloat16 oracleNextUp(BFloat16);
template Binary32 oracleNextDown(Binary32);
template Binary64 oracleNextDown(Binary64);
template Binary128 oracleNextDown(Binary128);
template Binary16 oracleNextDown(Binary16);
template BFloat16 oracleNextDown(BFloat16);
template std::string mpfrPrint(const char*, int, Binary32);
template std::string mpfrPrint(const char*, int, Binary64);
template std::string mpfrPrint(const char*, int, Binary128);
template std::string mpfrPrint(const char*, int, Binary16);
template std::string mpfrPrint(const char*, int, BFloat16);

}  // namespace bitscope::test
