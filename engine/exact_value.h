// SPDX-License-Identifier: MIT
// What exactly an encoding stores, how far that is from the decimal number that was read
// into it, and which decimal numbers read into it: for any format a FormatSpec describes.
//
// A finite encoding is the number ±m * 2^e (m the significand as an integer, the implicit
// bit included; e the weight of its last bit), and every such number has a finite decimal
// expansion. The error of a read and the ends of a rounding interval are differences and
// midpoints of such numbers and of a finite decimal, so they are finite decimals too: all
// three are computed exactly, every digit, and rounded only when printed, if asked to.
#pragma once

#include <bit>
#include <string>

#include "engine/exact_decimal.h"
#include "engine/format.h"

namespace bitscope {

// An encoding of any format: its k bits in the low end.
using EncodingBits = unsigned __int128;

template <IeeeBinary T>
constexpr EncodingBits encodingBitsOf(T value) {
  return std::bit_cast<typename FormatTraits<T>::Bits>(value);
}

// True unless the exponent field is all ones (an infinity or NaN).
bool isFiniteEncoding(const FormatSpec& format, EncodingBits bits);

// The exact value of a finite encoding: 0.1 read into Binary32 is 0.100000001490116119384765625.
// Zeros keep their sign. Requires isFiniteEncoding.
ExactDecimal exactValue(const FormatSpec& format, EncodingBits bits);

// Every decimal number x that reads into the encoding (rounded to nearest, ties to even)
// lies between low and high; an end itself reads into it when it is included. The ends
// are the midpoints to the two neighbours:
// 1. For a positive encoding of significand m and last-bit weight 2^e, the neighbour above
//    is (m + 1) * 2^e, so high = (2m + 1) * 2^(e-1). Below, the neighbour is (m - 1) * 2^e,
//    except at a power of two above the lowest binade, where the spacing below halves:
//    low = (2m - 1) * 2^(e-1), or (4m - 1) * 2^(e-2) at such a power.
// 2. A midpoint is a tie, and a tie goes to the even significand: both ends are included
//    when m is even, both excluded when it is odd. The top end of the largest finite value
//    is the overflow threshold, excluded with it (its significand is odd).
// 3. +0 holds [0, smallestSubnormal / 2] (both included: 0 is even); -0 the mirror image,
//    with the upper end -0.
// 4. A negative encoding holds the mirror image of its magnitude's interval.
// Requires isFiniteEncoding.
struct RoundingInterval {
  ExactDecimal low, high;
  bool lowIncluded = false, highIncluded = false;
};
RoundingInterval roundingInterval(const FormatSpec& format, EncodingBits bits);

// The encoding that x reads into, rounded to nearest with ties to even, decided exactly: the
// first encoding, in order of magnitude, whose rounding interval reaches |x|, found by
// bisection over the encodings (k - 1 steps), with the sign of x. False when |x| reaches
// the overflow threshold. Meant for the 16-bit formats, which have no conversion of their
// own in the platform.
bool roundExactly(const FormatSpec& format, const ExactDecimal& x, EncodingBits& bits);

// ULP of a finite encoding as a power of two: ULP(x) = 2^ulpExponent (the weight of the
// last significand bit; smallestSubnormal for zeros and subnormals).
int ulpExponent(const FormatSpec& format, EncodingBits bits);

// The error of a decimal read: stored - typed, exactly, and the same in units of ULP(X)
// (X the stored value). Zero when the typed number is exactly the stored one.
// Requires isFiniteEncoding.
struct ConversionError {
  ExactDecimal error;
  ExactDecimal ulps;
};
ConversionError conversionError(const FormatSpec& format, EncodingBits bits, const ExactDecimal& typed);

// ---- Texts (the layout of decimalText: every digit kept, unless rounded here) ----------

// The exact value, every digit ("0.100000001490116119384765625", "-0").
std::string exactValueText(const FormatSpec& format, EncodingBits bits);

// The error rounded to significantDigits (ties to even), with its sign always written:
// "+1.490116119384765625e-09", "-2.5e-05"; "0" when the read was exact.
std::string errorText(const ConversionError& error, int significantDigits);

// The error in ULP(X), likewise rounded, with " ULP" after it: "+0.2 ULP", "0 ULP".
std::string errorUlpsText(const ConversionError& error, int significantDigits);

}  // namespace bitscope
