// Test support: MPFR as an independent oracle for the formats, random patterns, and
// a way to show the bits of a value when a comparison fails.
#pragma once

#include <bit>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "engine/numbers.h"

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

// Sanitized builds run each random sweep with a tenth of the cases.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr int sweepScale = 10;
#else
inline constexpr int sweepScale = 1;
#endif

// Plain parameters of a format, written out here rather than taken from the engine.
template <IeeeBinary T>
struct Params;
template <>
struct Params<Binary32> {
    using Bits = std::uint32_t;
    static constexpr int k = 32, p = 24, w = 8, emin = -126, emax = 127;
    static constexpr const char* name = "Binary32";
};
template <>
struct Params<Binary64> {
    using Bits = std::uint64_t;
    static constexpr int k = 64, p = 53, w = 11, emin = -1022, emax = 1023;
    static constexpr const char* name = "Binary64";
};
template <>
struct Params<Binary128> {
    using Bits = unsigned __int128;
    static constexpr int k = 128, p = 113, w = 15, emin = -16382, emax = 16383;
    static constexpr const char* name = "Binary128";
};
template <>
struct Params<Binary16> {
    using Bits = std::uint16_t;
    static constexpr int k = 16, p = 11, w = 5, emin = -14, emax = 15;
    static constexpr const char* name = "Binary16";
};
template <>
struct Params<BFloat16> {
    using Bits = std::uint16_t;
    static constexpr int k = 16, p = 8, w = 8, emin = -126, emax = 127;
    static constexpr const char* name = "BFloat16";
};

template <IeeeBinary T>
typename Params<T>::Bits bitsOf(T value) {
    return std::bit_cast<typename Params<T>::Bits>(value);
}
template <IeeeBinary T>
T fromBits(typename Params<T>::Bits bits) {
    return std::bit_cast<T>(bits);
}

// The largest finite value: the encoding of +infinity minus one.
template <IeeeBinary T>
T largestFinite() {
    using Bits = typename Params<T>::Bits;
    return fromBits<T>((((Bits(1) << Params<T>::w) - 1) << (Params<T>::p - 1)) - 1);
}

// |x|: the encoding without its sign bit.
template <IeeeBinary T>
T magnitudeOf(T x) {
    using Bits = typename Params<T>::Bits;
    return fromBits<T>(bitsOf(x) & ~(Bits(1) << (Params<T>::k - 1)));
}

// "S E T" of a value, written with std::bitset (independent of the engine's encoder).
template <IeeeBinary T>
std::string showBits(T value) {
    const auto bits = bitsOf(value);
    std::string all;
    if constexpr (Params<T>::k == 128) {
        all = std::bitset<64>(static_cast<std::uint64_t>(bits >> 64)).to_string() +
              std::bitset<64>(static_cast<std::uint64_t>(bits)).to_string();
    } else {
        all = std::bitset<Params<T>::k>(bits).to_string();
    }
    constexpr auto w = static_cast<std::size_t>(Params<T>::w);
    return all.substr(0, 1) + " " + all.substr(1, w) + " " + all.substr(1 + w);
}

// A random bit pattern; a third of them with the exponent field 0 (zeros and subnormals),
// a few with the exponent field all ones (infinities and NaN payloads) when allowed.
template <IeeeBinary T>
T randomPattern(std::mt19937_64& rng, bool allowNonFinite) {
    using Bits = typename Params<T>::Bits;
    constexpr int k = Params<T>::k, w = Params<T>::w;
    Bits bits = static_cast<Bits>(rng());
    if constexpr (k == 128) bits = (bits << 64) | static_cast<Bits>(rng());
    const Bits exponentMask = ((Bits(1) << w) - 1) << (k - 1 - w);
    switch (rng() % 12) {
    case 0: case 1: case 2: case 3: bits &= ~exponentMask; break;        // zero or subnormal
    case 4: bits = static_cast<Bits>(bits & (Bits(rng() % 64) | (Bits(1) << (k - 1)))); break; // tiny subnormal
    case 5: if (allowNonFinite) bits |= exponentMask; break;             // inf or NaN
    default: break;
    }
    if (!allowNonFinite && (bits & exponentMask) == exponentMask) bits &= ~(Bits(1) << (k - 2));
    return fromBits<T>(bits);
}

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
    if constexpr (std::same_as<T, Binary32>) inexact = mpfr_set_flt(m, x, MPFR_RNDN);
    else if constexpr (std::same_as<T, Binary64>) inexact = mpfr_set_d(m, x, MPFR_RNDN);
    else if constexpr (SmallIeeeBinary<T>) inexact = mpfr_set_d(m, static_cast<double>(x), MPFR_RNDN);
    else inexact = setBinary128(m, x);
    if (inexact != 0) std::abort();
}

// m (already a value of the format) as T.
template <IeeeBinary T>
T getExact(mpfr_ptr m) {
    if constexpr (std::same_as<T, Binary32>) return mpfr_get_flt(m, MPFR_RNDN);
    else if constexpr (std::same_as<T, Binary64>) return mpfr_get_d(m, MPFR_RNDN);
    else if constexpr (SmallIeeeBinary<T>) return T(mpfr_get_d(m, MPFR_RNDN)); // exact: m is a value of T
    else return getBinary128(m);
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

} // namespace bitscope::test
