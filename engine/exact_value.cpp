// SPDX-License-Identifier: MIT
#include "engine/exact_value.h"

#include <cassert>

namespace bitscope {

namespace {

// A finite encoding as sign, integer significand m and weight 2^e of its last bit:
// value = ±m * 2^e. The exponent field E = 0 (zero, subnormal) means m = T and
// e = emin - t; otherwise the implicit bit is set, m = 2^t + T and e = E - bias - t.
struct BinaryParts {
  bool negative;
  unsigned __int128 significand;
  int exponent;
  unsigned __int128 trailing;
  unsigned __int128 biasedExponent;
};

BinaryParts partsOf(const FormatSpec& f, EncodingBits bits) {
  const EncodingBits one = 1;
  BinaryParts parts{};
  parts.negative = ((bits >> (f.k - 1)) & one) != 0;
  parts.trailing = bits & ((one << f.t) - 1);
  parts.biasedExponent = (bits >> f.t) & ((one << f.w) - 1);
  if (parts.biasedExponent == 0) {
    parts.significand = parts.trailing;
    parts.exponent = f.emin - f.t;
  } else {
    parts.significand = parts.trailing | (one << f.t);
    parts.exponent = static_cast<int>(parts.biasedExponent) - f.bias - f.t;
  }
  return parts;
}

// The midpoint between |x| and the next value above it, (2m + 1) * 2^(e-1): for zero, half
// the smallest subnormal; above the largest finite value, the overflow threshold.
ExactDecimal upperMidpoint(const BinaryParts& x) {
  return exactBinary(false, 2 * x.significand + 1, x.exponent - 1);
}

ExactDecimal negated(ExactDecimal x) {
  x.negative = !x.negative;
  return x;
}

}  // namespace

bool isFiniteEncoding(const FormatSpec& f, EncodingBits bits) {
  const EncodingBits ones = (EncodingBits{1} << f.w) - 1;
  return ((bits >> f.t) & ones) != ones;
}

ExactDecimal exactValue(const FormatSpec& f, EncodingBits bits) {
  assert(isFiniteEncoding(f, bits));
  const BinaryParts x = partsOf(f, bits);
  return exactBinary(x.negative, x.significand, x.exponent);
}

int ulpExponent(const FormatSpec& f, EncodingBits bits) { return partsOf(f, bits).exponent; }

bool roundExactly(const FormatSpec& f, const ExactDecimal& x, EncodingBits& bits) {
  // Between the zeros and the infinity, the encodings of the positive values grow with
  // the value, and so do the high ends of their intervals.
  const EncodingBits largestFinite = (((EncodingBits{1} << f.w) - 1) << f.t) - 1;
  const auto reaches = [&](EncodingBits candidate) {
    const BinaryParts parts = partsOf(f, candidate);
    const int order = compareMagnitudes(x, upperMidpoint(parts));
    return order < 0 || (order == 0 && (parts.significand & 1U) == 0);
  };
  EncodingBits low = 0, high = largestFinite + 1;  // high: overflow
  while (low < high) {
    const EncodingBits middle = low + (high - low) / 2;
    if (reaches(middle))
      high = middle;
    else
      low = middle + 1;
  }
  if (low > largestFinite) return false;
  bits = low | (x.negative ? EncodingBits{1} << (f.k - 1) : 0);
  return true;
}

RoundingInterval roundingInterval(const FormatSpec& f, EncodingBits bits) {
  assert(isFiniteEncoding(f, bits));
  const BinaryParts x = partsOf(f, bits);
  const unsigned __int128 m = x.significand;
  const int e = x.exponent;
  RoundingInterval magnitude;
  magnitude.high = upperMidpoint(x);
  if (m == 0) {
    magnitude.low = ExactDecimal{};
  } else {
    const bool powerAboveLowestBinade = x.trailing == 0 && x.biasedExponent > 1;
    magnitude.low =
        powerAboveLowestBinade ? exactBinary(false, 4 * m - 1, e - 2) : exactBinary(false, 2 * m - 1, e - 1);
  }
  const bool even = (m & 1U) == 0;
  magnitude.lowIncluded = magnitude.highIncluded = even;
  if (!x.negative) return magnitude;
  // The mirror image: -high below, -low above (for -0, the upper end is -0 itself).
  return RoundingInterval{negated(magnitude.high), negated(magnitude.low), magnitude.highIncluded,
                          magnitude.lowIncluded};
}

ConversionError conversionError(const FormatSpec& f, EncodingBits bits, const ExactDecimal& typed) {
  ConversionError result;
  result.error = exactDifference(exactValue(f, bits), typed);
  result.ulps = exactTimesPowerOfTwo(result.error, -ulpExponent(f, bits));
  return result;
}

std::string exactValueText(const FormatSpec& f, EncodingBits bits) {
  return decimalText(exactValue(f, bits));
}

std::string errorText(const ConversionError& error, int significantDigits) {
  return decimalText(roundedToDigits(error.error, significantDigits),
                     {.alwaysSign = true, .unsignedZero = true});
}

std::string errorUlpsText(const ConversionError& error, int significantDigits) {
  return decimalText(roundedToDigits(error.ulps, significantDigits),
                     {.alwaysSign = true, .unsignedZero = true}) +
         " ULP";
}

}  // namespace bitscope
