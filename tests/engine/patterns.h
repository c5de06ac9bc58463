// SPDX-License-Identifier: MIT
// Test support: the plain parameters of each format, its encodings as integers, random bit
// patterns, and the bits of a value shown for a failed comparison. Independent of the engine's
// encoder and of any arithmetic library.
#pragma once

#include <bit>
#include <bitset>
#include <cstdint>
#include <random>
#include <string>

#include "engine/numbers.h"

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
    case 0:
    case 1:
    case 2:
    case 3:
      bits &= ~exponentMask;
      break;  // zero or subnormal
    case 4:
      bits = static_cast<Bits>(bits & (Bits(rng() % 64) | (Bits(1) << (k - 1))));
      break;  // tiny subnormal
    case 5:
      if (allowNonFinite) bits |= exponentMask;
      break;  // inf or NaN
    default:
      break;
  }
  if (!allowNonFinite && (bits & exponentMask) == exponentMask) bits &= ~(Bits(1) << (k - 2));
  return fromBits<T>(bits);
}

}  // namespace bitscope::test
