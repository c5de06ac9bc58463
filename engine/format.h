// SPDX-License-Identifier: MIT
// The constant parameters of the three formats: one traits record per format, a lookup by
// storage width, and the smallest normal and subnormal values of each.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>

#include "engine/numbers.h"

namespace bitscope {

// Everything the engine needs to know about one format. Every routine of the engine is
// written once against this record (through FormatTraits<T>::format), not once per format.
//
//   storage:  S | E (w bits) | T (t bits)            k = 1 + w + t = 8 * formatBytes
//   value:    (-1)^S * 1.T * 2^(E - bias)             for 0 < E < 2^w - 1 (normal)
//             (-1)^S * 0.T * 2^emin                   for E = 0 (zero, subnormal)
//   p = t + 1 (the leading 1 is implicit), bias = emax = 2^(w-1) - 1, emin = 1 - bias.
struct FormatSpec {
  int formatBytes;  // how the whole program names a format: 4, 8 or 16
  int k;            // storage width in bits
  int p;            // precision in bits
  int w;            // exponent field width
  int t;            // trailing significand field width
  int emax;         // largest unbiased exponent
  int emin;         // smallest unbiased exponent of a normal number
  int bias;         // exponent bias
};

inline constexpr FormatSpec binary32Spec{4, 32, 24, 8, 23, 127, -126, 127};
inline constexpr FormatSpec binary64Spec{8, 64, 53, 11, 52, 1023, -1022, 1023};
inline constexpr FormatSpec binary128Spec{16, 128, 113, 15, 112, 16383, -16382, 16383};

// The 16-bit formats are not the window's. Both take 2 bytes, so the number of bytes does
// not name them: the command-line companion names them itself.
inline constexpr FormatSpec binary16Spec{2, 16, 11, 5, 10, 15, -14, 15};
inline constexpr FormatSpec bfloat16Spec{2, 16, 8, 8, 7, 127, -126, 127};

// The record of the window's format stored in formatBytes bytes; nullptr for any value other than
// 4, 8 or 16 (such a value selects no format, and the operations given it do nothing).
constexpr const FormatSpec* findFormat(int formatBytes) {
  switch (formatBytes) {
    case 4:
      return &binary32Spec;
    case 8:
      return &binary64Spec;
    case 16:
      return &binary128Spec;
    default:
      return nullptr;
  }
}

// Per-type traits: the record of the format and an unsigned integer as wide as its storage.
template <IeeeBinary T>
struct FormatTraits;
template <>
struct FormatTraits<Binary32> {
  static constexpr const FormatSpec& format = binary32Spec;
  using Bits = std::uint32_t;
};
template <>
struct FormatTraits<Binary64> {
  static constexpr const FormatSpec& format = binary64Spec;
  using Bits = std::uint64_t;
};
template <>
struct FormatTraits<Binary128> {
  static constexpr const FormatSpec& format = binary128Spec;
  using Bits = unsigned __int128;
};
template <>
struct FormatTraits<Binary16> {
  static constexpr const FormatSpec& format = binary16Spec;
  using Bits = std::uint16_t;
};
template <>
struct FormatTraits<BFloat16> {
  static constexpr const FormatSpec& format = bfloat16Spec;
  using Bits = std::uint16_t;
};

// 2^e as a value of format T, built on its encoding: a normal power (emin <= e <= emax) has
// the biased exponent e + bias and T all 0; a subnormal power (emin - t <= e < emin) has E
// all 0 and the single T bit of weight 2^e, bit number e - (emin - t) counted from the
// least significant end. The result is exactly 2.0 raised to the power e in T's arithmetic.
// Requires: emin - t <= e <= emax of T's format.
template <IeeeBinary T>
constexpr T exactPowerOfTwo(int e) {
  using Bits = typename FormatTraits<T>::Bits;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  assert(e >= f.emin - f.t && e <= f.emax);
  // (The casts keep the 16-bit formats' Bits, which shifts widen to int.)
  const Bits bits = e >= f.emin ? static_cast<Bits>(static_cast<Bits>(e + f.bias) << f.t)
                                : static_cast<Bits>(static_cast<Bits>(1) << (e - (f.emin - f.t)));
  return std::bit_cast<T>(bits);
}

// Smallest positive normal value 2^emin (encoding 0 | 0...01 | 0...0).
template <IeeeBinary T>
inline constexpr T smallestNormal = exactPowerOfTwo<T>(FormatTraits<T>::format.emin);

// Smallest positive subnormal value 2^(emin - t) (encoding: all bits 0 but the last).
// For Binary128 this is 2.0 raised to the power -16494 in Binary128 arithmetic.
template <IeeeBinary T>
inline constexpr T smallestSubnormal = exactPowerOfTwo<T>(FormatTraits<T>::format.emin -
                                                          FormatTraits<T>::format.t);

// Tag naming a format type, passed to the callable of withFormat.
template <IeeeBinary T>
struct FormatTag {
  using type = T;
};

// Runs fn(FormatTag<T>{}) for the format stored in formatBytes bytes and returns true;
// returns false, without calling fn, for any other formatBytes. Lets code that holds the
// format as a number reach the typed routines:
//   withFormat(state.formatBytes, [&]<class T>(FormatTag<T>) { use(values.slot<T>()); });
template <class Fn>
constexpr bool withFormat(int formatBytes, Fn&& fn) {
  switch (formatBytes) {
    case 4:
      fn(FormatTag<Binary32>{});
      return true;
    case 8:
      fn(FormatTag<Binary64>{});
      return true;
    case 16:
      fn(FormatTag<Binary128>{});
      return true;
    default:
      return false;
  }
}

}  // namespace bitscope
