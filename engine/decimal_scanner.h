// SPDX-License-Identifier: MIT
// The free-form decimal number, read in pieces of any length in fixed memory.
//
// The scanner reduces a decimal text, however long, to what decides its correctly rounded
// value in every format: the sign, the first maxDecidingDigits significant digits, whether
// any digit after them is nonzero, and the decimal exponent of the first digit (which
// saturates far beyond every format's range). The reduced number is then handed to the
// correctly rounded conversion of the target format, so a text of a million digits reads
// exactly as MPFR would read it, in the memory a short one needs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/decimal_text.h"
#include "engine/format.h"

namespace bitscope {

// How many significant digits of a decimal number can decide its value rounded to nearest
// in format f. Reasoning, in steps:
// 1. Rounding to nearest changes its result only at the midpoints between neighbouring
//    values (a tie there goes to the even one); the overflow edge, half an ULP above the
//    largest finite value, and half the smallest subnormal, below which a number rounds
//    to zero, are midpoints too. Between two midpoints every number rounds alike.
// 2. Cut a number x after its first N significant digits to D, and let u be one unit of
//    the N-th digit: D <= x < D + u. If any cut digit is nonzero, D < x < D + u, and
//    R = D followed by one more digit "1" lies there too. Any number strictly between D
//    and D + u has more than N significant digits. So when no midpoint has more than N significant
//    digits, no midpoint separates x from R and both round alike; when no cut digit is
//    nonzero, x = D and nothing changed.
// 3. A midpoint of the binade [2^e, 2^(e+1)) is m * 2^(e-p) with m odd and m < 2^(p+1).
//    For e - p < 0 it is m * 5^(p-e) / 10^(p-e): its significant digits are those of the
//    integer m * 5^(p-e), which has no trailing zero (it is odd). The count grows as e
//    falls, so the most digits are those of the largest midpoint of the lowest binade,
//    M = (2^(p+1) - 1) * 5^(p-emin); subnormal midpoints have a smaller m and the same
//    scale, and midpoints at or above 2^p are integers of at most (emax+1) log10 2 + 1
//    digits, fewer than M has in every format here.
// 4. digits(M) = floor(log10 M) + 1 <= floor(k - (k - p - 1) log10 2) + 1 with
//    k = p - emin, since log10 5 = 1 - log10 2; a lower bound of log10 2 keeps it an
//    upper bound. Binary32: 113, Binary64: 768, Binary128: 11564 (the tests compute M
//    exactly and find these counts).
constexpr int decidingDigits(const FormatSpec& f) {
  constexpr std::int64_t scale = 1'000'000'000'000;        // 10^12
  constexpr std::int64_t log10Of2Below = 301'029'995'663;  // log10 2 = 0.3010299956639812...
  const std::int64_t k = f.p - f.emin;
  return static_cast<int>((k * scale - (k - f.p - 1) * log10Of2Below) / scale) + 1;
}

inline constexpr int maxDecidingDigits = [] {
  int most = 0;
  for (const FormatSpec* f : {&binary16Spec, &bfloat16Spec, &binary32Spec, &binary64Spec, &binary128Spec})
    most = most > decidingDigits(*f) ? most : decidingDigits(*f);
  return most;
}();
static_assert(decidingDigits(binary32Spec) == 113 && decidingDigits(binary64Spec) == 768 &&
              decidingDigits(binary128Spec) == 11564 && maxDecidingDigits == 11564);

// Reads one decimal text given in pieces, with the rules of readDecimal but without its
// 42-character cut. Feed every piece in order, then read the value in a format (as often
// and in as many formats as wanted); reset before the next text.
class DecimalScanner {
 public:
  DecimalScanner() { reset(); }
  void reset();
  void feed(std::string_view piece);

  // The correctly rounded value of all the digits fed, as readDecimal gives it: value is
  // written only on Ok.
  template <IeeeBinary T>
  ReadOutcome read(T& value);

  // The number fed as its digits, for exact arithmetic on what was typed: the sign, the
  // significant digits kept (none for a zero), the power of ten of the last of them, and
  // whether they are the whole number (no nonzero digit beyond them was dropped, and the
  // place of the point is known: its counts stay far below their limit in any real text).
  // Meaningful once read gives Ok; valid until the next feed or reset.
  struct Digits {
    bool negative = false;
    std::string_view digits;
    std::int64_t lastDigitExponent = 0;
    bool whole = true;
  };
  Digits digits() const;

 private:
  enum class State {
    LeadingBlanks,   // nothing but blanks yet
    Mantissa,        // after the sign, in the digits and the point
    ExponentLetter,  // after E, D or Q
    ExponentSign,    // after the exponent's sign
    ExponentDigits,
    Ended,    // a blank, comma or slash ended the number: the rest is ignored
    NoValue,  // a comma or slash before any number
    Invalid,
  };

  void digit(char c);
  void endOfNumber(bool complete);
  // Converts 0.d1..dn (the first n kept digits, then extraDigit unless it is NUL) * 10^place.
  template <IeeeBinary T>
  ReadOutcome convertKept(std::size_t n, char extraDigit, std::int64_t place, T& value);
  ReadOutcome readLowered(std::int64_t place, Binary128& value);
  // The kept digits (and the sticky one) handed to the platform's conversion.
  template <IeeeBinary T>
  ReadOutcome readKept(std::int64_t place, T& value);
  // The 16-bit formats: the kept digits (and the sticky one) rounded exactly.
  template <SmallIeeeBinary T>
  ReadOutcome readExactly(std::int64_t place, T& value) const;
  // The power of ten just above the first digit: the number is 0.d1d2... * 10^place.
  std::int64_t place() const;

  // Counts saturate here: a line cannot hold that many characters, and a number whose
  // first digit stands that far from the units place is outside every format anyway.
  static constexpr std::int64_t countLimit = 1'000'000'000'000'000;
  // The exponent handed to the conversions is held within this bound: the widest format
  // spans about 10^-4966 to 10^4932, so a first digit at 10^(bound-1) overflows and one
  // at 10^-bound rounds to zero in every format.
  static constexpr std::int64_t exponentBound = 100'000;

  State state_ = State::LeadingBlanks;
  bool negative_ = false;
  bool anyDigit_ = false;
  bool point_ = false;
  bool nonzero_ = false;  // a nonzero digit was seen: the kept digits start there
  bool sticky_ = false;   // a digit after the kept ones is nonzero
  bool negativeExponent_ = false;
  std::int64_t integerDigits_ = 0;  // digits before the point from the first nonzero one
  std::int64_t leadingZeros_ = 0;   // zeros after the point before the first nonzero digit
  std::int64_t exponent_ = 0;       // the written exponent's magnitude
  std::size_t kept_ = 0;
  // The reduced number as the conversions read it: "-", ".", the kept digits, a "1" for
  // the sticky digit, "e", the exponent ("-100000" at most) and a NUL. Not initialised:
  // only what was written is read.
  std::array<char, 2 + static_cast<std::size_t>(maxDecidingDigits) + 1 + 1 + 7 + 1> text_;
};

}  // namespace bitscope
