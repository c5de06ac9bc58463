// SPDX-License-Identifier: MIT
// Exact decimal numbers: every digit kept, no rounding unless asked for. The exact value of
// an encoding, the error of a conversion and the ends of a rounding interval are all finite
// decimals, so this one record and four operations carry all of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bitscope {

// (-1)^negative * digits * 10^exponent. digits are the significant digits: no leading
// zero and no trailing zero (the exponent takes those); empty for zero, which keeps its
// sign (negative zero is a value of its own in every binary format).
struct ExactDecimal {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;

  bool isZero() const { return digits.empty(); }
  bool operator==(const ExactDecimal&) const = default;
};

// (-1)^negative * m * 2^e, exactly.
ExactDecimal exactBinary(bool negative, unsigned __int128 m, std::int64_t e);

// The decimal number of a sign, significant digits (leading and trailing zeros allowed) and
// the exponent of the last digit, normalised.
ExactDecimal exactFromDigits(bool negative, std::string_view digits, std::int64_t lastDigitExponent);

// a - b, exactly. A zero result is +0.
ExactDecimal exactDifference(const ExactDecimal& a, const ExactDecimal& b);

// x * 2^k, exactly (k of either sign).
ExactDecimal exactTimesPowerOfTwo(const ExactDecimal& x, std::int64_t k);

// Compares |a| with |b|: negative, zero or positive.
int compareMagnitudes(const ExactDecimal& a, const ExactDecimal& b);

// x rounded to at most n significant digits, to nearest with ties to even (n >= 1).
ExactDecimal roundedToDigits(const ExactDecimal& x, int n);

// How a decimal is written: every significant digit, positional ("0.1000000014901161",
// "340282346638528859811704183484516925440") while 10^-7 <= |x| < 10^21, else one digit
// before the point and an exponent of at least two digits ("1.4012984643e-45"). A negative
// number starts with "-"; alwaysSign writes "+" for a positive one. Zero is "0" ("-0" when
// negative, unless alwaysSign is false and the zero counts as unsigned: see unsignedZero).
struct DecimalLayout {
  bool alwaysSign = false;    // "+" before a positive number
  bool unsignedZero = false;  // zero is "0" whatever its sign
};
std::string decimalText(const ExactDecimal& x, DecimalLayout layout = {});

}  // namespace bitscope
