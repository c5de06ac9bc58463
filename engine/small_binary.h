// SPDX-License-Identifier: MIT
// The 16-bit binary formats of the command-line companion, IEEE 754 binary16 and bfloat16,
// as number types: their storage is their encoding, their arithmetic is correctly rounded.
#pragma once

#include <cmath>
#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>

namespace bitscope {

// A binary format of P significand bits (the implicit one included) and W exponent bits in
// 16 bits of storage: S | E (W bits) | T (P - 1 bits), bias 2^(W-1) - 1, subnormals and
// signed zeros as in every IEEE 754 binary format.
//
// Arithmetic goes through double, which holds every value of the format exactly: a sum or
// product is computed in double and rounded once more into the format. Rounding twice is
// harmless here: a result first rounded to q >= 2P + 2 bits and then to P bits is the result
// rounded straight to P bits (for +, -, *), and double has q = 53 bits where P is at most 11,
// with an exponent range that holds every exact result of these formats.
template <int P, int W>
class SmallBinary {
  static_assert(P >= 2 && W >= 2 && P + W == 16);

 public:
  static constexpr int t = P - 1;
  static constexpr int bias = (1 << (W - 1)) - 1;
  static constexpr int emin = 1 - bias;

  SmallBinary() = default;  // +0

  // The value rounded to nearest, ties to even, into the format: so 0, 0.5 and 1 convert
  // as they do into float. A magnitude at or beyond the overflow threshold (the largest
  // finite value plus half an ULP) becomes an infinity, one at or below half the smallest
  // subnormal a zero of its sign; a NaN becomes the quiet NaN.
  SmallBinary(double value) : bits_(roundToBits(value)) {}

  // An integer: exact up to 2^53, which covers every integer the engine converts.
  template <std::integral I>
  explicit SmallBinary(I n) : SmallBinary(static_cast<double>(n)) {}

  // The value, exactly.
  explicit operator double() const {
    const int biased = (bits_ >> t) & ((1 << W) - 1);
    const int trailing = bits_ & ((1 << t) - 1);
    const double sign = (bits_ >> 15) != 0 ? -1.0 : 1.0;
    if (biased == (1 << W) - 1)
      return trailing != 0 ? std::numeric_limits<double>::quiet_NaN()
                           : sign * std::numeric_limits<double>::infinity();
    if (biased == 0) return sign * std::ldexp(trailing, emin - t);
    return sign * std::ldexp((1 << t) + trailing, biased - bias - t);
  }
  explicit operator float() const { return static_cast<float>(static_cast<double>(*this)); }

  SmallBinary operator-() const { return fromBits(static_cast<std::uint16_t>(bits_ ^ 0x8000U)); }
  friend SmallBinary operator+(SmallBinary a, SmallBinary b) { return {double(a) + double(b)}; }
  friend SmallBinary operator-(SmallBinary a, SmallBinary b) { return {double(a) - double(b)}; }
  friend SmallBinary operator*(SmallBinary a, SmallBinary b) { return {double(a) * double(b)}; }
  SmallBinary& operator+=(SmallBinary b) { return *this = *this + b; }

  // IEEE comparisons: -0 == +0, a NaN is unordered.
  friend bool operator==(SmallBinary a, SmallBinary b) { return double(a) == double(b); }
  friend std::partial_ordering operator<=>(SmallBinary a, SmallBinary b) { return double(a) <=> double(b); }

 private:
  static constexpr SmallBinary fromBits(std::uint16_t bits) {
    SmallBinary x;
    x.bits_ = bits;
    return x;
  }

  // Rounding in four steps:
  // 1. The quantum of the format at |v|: 2^q with q = max(floor(log2 |v|), emin) - t, the
  //    weight of the last significand bit (subnormals share the quantum of emin).
  // 2. |v| / 2^q is exact in double and below 2^P; rounding it to an integer m, to nearest
  //    with ties to even, is the rounding into the format.
  // 3. m = 2^P (a carry out of the binade) is 2^t at the next quantum.
  // 4. Encode: m < 2^t at the lowest quantum is a subnormal (or zero), else the biased
  //    exponent is q + t + bias; a biased exponent of all ones means overflow.
  static std::uint16_t roundToBits(double v) {
    const std::uint16_t sign = std::signbit(v) ? 0x8000U : 0U;
    const std::uint16_t infinity = static_cast<std::uint16_t>(((1U << W) - 1U) << t);
    if (std::isnan(v)) return static_cast<std::uint16_t>(infinity | (1U << (t - 1)));
    const double a = std::fabs(v);
    if (std::isinf(a)) return sign | infinity;
    if (a == 0) return sign;
    int e = 0;
    std::frexp(a, &e);  // a = f * 2^e, 0.5 <= f < 1: floor(log2 a) = e - 1
    int q = (e - 1 > emin ? e - 1 : emin) - t;
    const double scaled = std::ldexp(a, -q);
    double m = std::floor(scaled);
    const double rest = scaled - m;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(m, 2.0) != 0)) m += 1;
    if (m == std::ldexp(1.0, P)) {
      m = std::ldexp(1.0, t);
      ++q;
    }
    const auto significand = static_cast<unsigned>(m);
    if (significand < (1U << t)) return static_cast<std::uint16_t>(sign | significand);  // subnormal or zero
    const int biased = q + t + bias;
    if (biased >= (1 << W) - 1) return sign | infinity;
    return static_cast<std::uint16_t>(sign | (static_cast<unsigned>(biased) << t) |
                                      (significand - (1U << t)));
  }

  std::uint16_t bits_ = 0;
};

}  // namespace bitscope
