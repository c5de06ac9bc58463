// SPDX-License-Identifier: MIT
// The three number types Bitscope teaches, and the record that holds X in each of them.
#pragma once

#include <concepts>

#include "engine/binary128.h"
#include "engine/small_binary.h"

namespace bitscope {

// IEEE 754 binary interchange formats, named by the platform types that implement them.
// Binary128 comes from engine/binary128.h: whichever type the platform has for it, its
// arithmetic and text conversions are correctly rounded.
using Binary32 = float;
using Binary64 = double;

// IEEE 754 binary16 and bfloat16 (the 16-bit format of machine learning: Binary32's
// exponent range with 8 significand bits). The command-line companion shows them too; the
// window teaches the three formats above.
using Binary16 = SmallBinary<11, 5>;
using BFloat16 = SmallBinary<8, 8>;

// The 16-bit formats, whose types are the engine's own rather than the platform's.
template <class T>
concept SmallIeeeBinary = std::same_as<T, Binary16> || std::same_as<T, BFloat16>;

// One of the formats (a type, for the templates of the engine).
template <class T>
concept IeeeBinary = std::same_as<T, Binary32> || std::same_as<T, Binary64> || std::same_as<T, Binary128> ||
    SmallIeeeBinary<T>;

// X held once per format. Only the slot of the current format (4, 8 or 16 bytes) means
// anything; the others keep whatever they last held.
struct FormatValues {
  Binary32 value32 = 0.0f;
  Binary64 value64 = 0.0;
  Binary128 value128 = 0;

  // The slot of format T: values.slot<Binary64>() is value64.
  template <IeeeBinary T>
  constexpr T& slot() {
    if constexpr (std::same_as<T, Binary32>)
      return value32;
    else if constexpr (std::same_as<T, Binary64>)
      return value64;
    else
      return value128;
  }
  template <IeeeBinary T>
  constexpr const T& slot() const {
    if constexpr (std::same_as<T, Binary32>)
      return value32;
    else if constexpr (std::same_as<T, Binary64>)
      return value64;
    else
      return value128;
  }
};

}  // namespace bitscope
