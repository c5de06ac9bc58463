// SPDX-License-Identifier: MIT
// Internal to the engine: a value's storage as an unsigned integer, and its parts.
#pragma once

#include <bit>
#include <initializer_list>
#include <string_view>

#include "engine/format.h"

namespace bitscope::detail {

// The storage of a value of format T viewed as the integer S|E|T.
template <IeeeBinary T>
struct Encoding {
  using Bits = typename FormatTraits<T>::Bits;
  static constexpr const FormatSpec& format = FormatTraits<T>::format;
  static constexpr Bits one = 1;
  static constexpr Bits significandMask = (one << format.t) - 1;
  static constexpr Bits exponentOnes = (one << format.w) - 1;  // E all "1"
  static constexpr Bits signMask = one << (format.k - 1);

  Bits bits;

  static constexpr T infinity() { return std::bit_cast<T>(static_cast<Bits>(exponentOnes << format.t)); }

  constexpr explicit Encoding(T value) : bits(std::bit_cast<Bits>(value)) {}

  constexpr bool sign() const { return (bits & signMask) != 0; }
  constexpr Bits biasedExponent() const { return (bits >> format.t) & exponentOnes; }
  constexpr Bits trailing() const { return bits & significandMask; }
  constexpr bool isNaN() const { return biasedExponent() == exponentOnes && trailing() != 0; }
  constexpr bool isInfinite() const { return biasedExponent() == exponentOnes && trailing() == 0; }
};

// Reads a text of binary digits as an unsigned number: blanks are skipped, the remaining
// digits are right-aligned, any character other than '0' or blank counts as 1, and only the
// last maxDigits digits count (at most 128). The text may come in parts, read as if joined
// (the first part most significant), so that fields need not be copied into one string.
unsigned __int128 readBinaryDigits(std::initializer_list<std::string_view> parts, int maxDigits);

// Writes the low k bits of an encoding as "0"/"1" characters, most significant first
// (k digits). Requires: k a multiple of 8, at most 128.
void writeBinaryDigits(char* out, unsigned __int128 bits, int k);

// Writes the low k bits of an encoding in base 16, uppercase, most significant first (k / 4
// digits). Requires: k a multiple of 4, at most 128.
void writeHexDigits(char* out, unsigned __int128 bits, int k);

}  // namespace bitscope::detail
