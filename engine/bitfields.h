// SPDX-License-Identifier: MIT
// Bit fields as text: a value's encoding written as "0"/"1" characters split into S, E and
// T, read back, classified into a kind of datum, and described in words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/format.h"
#include "engine/language.h"
#include "engine/numbers.h"

namespace bitscope {

// One encoding as text, most significant bit first: S (1 character), E (w), T (t).
// Encoding always yields exactly those widths. Fields typed by a user may hold blanks (see
// decodeBits).
struct BitFields {
  std::string S;
  std::string E;
  std::string T;
  // Where T was typed in two parts, the characters of the first (T is then the two joined):
  // the significand view reads each part as its own unsigned number, so a blank in one part
  // moves only that part's digits. 0: T is one part, as encoding always gives it.
  std::size_t significandSplit = 0;

  // S, E and T joined: the k-character encoding.
  std::string joined() const { return S + E + T; }

  bool operator==(const BitFields&) const = default;
};

// The encoding of a value.
template <IeeeBinary T>
BitFields encodeBits(T value);
// The same written into fields, whose strings keep their storage: encoding value after value
// into one record allocates nothing once its strings have grown.
template <IeeeBinary T>
void encodeBits(T value, BitFields& fields);
// The encoding of the slot of format formatBytes; empty fields for any other formatBytes.
BitFields encodeBits(int formatBytes, const FormatValues& values);

// The encoding in base 16: k / 4 digits, uppercase, most significant first (1.0 in Binary32
// is "3F800000"). The second form writes into hex, reusing its storage.
template <IeeeBinary T>
std::string encodeHex(T value);
template <IeeeBinary T>
void encodeHex(T value, std::string& hex);

// The value whose encoding is the text S‖E‖T, read as an unsigned binary number of k digits:
// the bits become the value unchanged (no rounding, NaN payloads and -0 kept).
// Blanks are skipped: the non-blank digits are taken alone, right-aligned, and the freed
// top bits are 0 (a field shortened by a deleted bit shifts the digits before it one place
// down); a text of only blanks reads as zero. Any other character counts as "1", as the
// bit-box validation would have made it; only the last k digits count if there are more.
template <IeeeBinary T>
T decodeBits(const BitFields& fields);
// The same for any text of digits and blanks (the whole encoding in one string).
template <IeeeBinary T>
T decodeBitText(std::string_view digits);
// Decodes into the slot of format formatBytes; does nothing for any other formatBytes.
void decodeBits(int formatBytes, const BitFields& fields, FormatValues& values);

// The kind of datum an encoding is, as the window's flags.
struct Classification {
  bool isZero = false;           // E all "0", T all "0"
  bool isSubnormal = false;      // E all "0", T not all "0"
  bool isInfinite = false;       // E all "1", T all "0"
  bool isNaN = false;            // E all "1", T not all "0"
  bool isFinite = false;         // neither infinite nor NaN
  bool isNonzeroFinite = false;  // neither zero, infinite nor NaN
  bool expTopOnes = false;       // first w-1 characters of E all "1" (codes 2^w-2, 2^w-1)
  bool expTopZeros = false;      // first w-1 characters of E all "0" (codes 0 and 1: emin)

  bool operator==(const Classification&) const = default;
};

// Classifies the first w characters of E and the first t characters of T. A field is all
// "0" (all "1") only when each of those characters is "0" ("1"): a blank, any other
// character, or a character missing because the text is shorter, makes both tests false.
Classification classifyBits(int w, std::string_view E, int t, std::string_view T);
Classification classifyBits(const FormatSpec& format, const BitFields& fields);

// Both data-type texts (30 characters, blank-padded), chosen by the flags in the order
// zero, subnormal, infinity, NaN, normal. The normal text names the format by formatBytes:
// "Normalized Number: Real(8)".
BilingualText describeDataType(int formatBytes, const Classification& flags);
// The text of one language without its padding blanks ("Normalized Number: Real(8)"), as a
// view of a constant: nothing is built.
std::string_view dataTypeName(const FormatSpec& format, const Classification& flags, Language language);

// True when the last bit of the encoding is 0: the significand is even.
template <IeeeBinary T>
bool lowBitIsZero(T value);
bool lowBitIsZero(int formatBytes, const FormatValues& values);  // false for a bad format

}  // namespace bitscope
