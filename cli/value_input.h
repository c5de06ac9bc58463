// SPDX-License-Identifier: MIT
// What one value (a command-line argument or one input line) contributes to
// its reading, gathered piece by piece in fixed memory:
//  - as decimal text, the whole value counts, however long: its first 42
//    characters (the X text, whose first three may name an infinity or NaN)
//    and, for a longer value, the number reduced by a DecimalScanner;
//  - as an encoding (--bits), its 0 and 1 digits count, blanks and "_" are
//    skipped wherever they stand, and any other character makes it invalid;
//  - as a hexadecimal encoding (--hex), its characters count as they stand:
//    an optional "0x" and exactly two digits per byte of the format.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/decimal_scanner.h"
#include "engine/decimal_text.h"
#include "engine/exact_value.h"

namespace bitscope::cli {

inline constexpr std::size_t maxEncodingDigits = 128;  // k of the widest format
// A hexadecimal value ("0x" and 32 digits at most) is read from the X text.
static_assert(2 + maxEncodingDigits / 4 <= xTextLength);

enum class ValueKind { decimal, bits, hex };

struct ValueInput {
  std::array<char, xTextLength> text{};
  std::size_t textLength = 0;
  std::array<char, maxEncodingDigits> digits{};
  std::size_t digitCount = 0;  // may exceed maxEncodingDigits; only the first ones are kept
  bool strayCharacter = false;
  bool longText = false;   // more than 42 characters: the scanner holds the number
  std::size_t length = 0;  // characters fed, all told
  DecimalScanner scanner;

  void clear() {
    textLength = 0;
    digitCount = 0;
    strayCharacter = false;
    longText = false;
    length = 0;
  }

  // Gathers what the reading needs: the X text, and the digits when the
  // value is an encoding.
  void feed(std::string_view piece, ValueKind kind);

  // The X text: the first 42 characters, blank-padded to 42.
  std::string_view xText();

  // The decimal number of the whole value, correctly rounded into T. A value of
  // at most 42 characters is read exactly as the window reads its X text.
  template <IeeeBinary T>
  ReadOutcome readNumber(T& value) {
    return longText ? scanner.read(value) : readDecimal(xText(), value);
  }

  // The encoding of k digits (k = 32, 64 or 128) that the digits spell when
  // read right-aligned, the freed top bits 0; empty when there is no digit,
  // more than k digits, or a character other than 0, 1, blank and "_".
  std::string_view encoding(std::size_t k);

  // The encoding of k bits (k = 16, 32, 64 or 128) that a hexadecimal value
  // spells: "0x" or "0X" optional, then exactly k / 4 digits of either case,
  // nothing else. False when the value is anything else.
  bool hexEncoding(int k, EncodingBits& bits);

  // The decimal number as typed, every digit, once readNumber has read it:
  // false when the value had more significant digits than the scanner keeps
  // (the number is then known only well enough to round it).
  bool typedNumber(ExactDecimal& typed);

 private:
  std::array<char, maxEncodingDigits> encoded_{};
};

}  // namespace bitscope::cli
