// SPDX-License-Identifier: MIT
// Decimal text of numbers: the X text (an infinity or NaN typed by name, or a decimal number
// read straight into the current format) and the print styles in which numbers are shown.
//
// Every text read or printed here is the same under any locale: the program may run with
// a locale whose decimal separator is a comma, and none of it leaks in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/bitfields.h"
#include "engine/numbers.h"

namespace bitscope {

// The X text is read as exactly this many characters (cut, or blank-padded on the right).
inline constexpr std::size_t xTextLength = 42;

// The text typed for X cut or blank-padded to xTextLength characters.
std::string makeXText(std::string_view typed);

// ---- Infinities and NaNs typed by name ------------------------------------------------

// What the first three characters of the X text say. The sign characters are '0' or '1'.
struct SpecialText {
  bool isNaN = false;
  bool isInfinite = false;
  char nanSignChar = '0';
  char infSignChar = '0';

  bool operator==(const SpecialText&) const = default;
};

// Updates special from the first three characters c1c2c3 of xText (letter case matters; a
// shorter text counts as blank-padded):
// 1. isNaN := c1c2c3 is "NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na" or "-na".
// 2. nanSignChar := '1' if c1 is '-', else '0' (on every call).
// 3. If isNaN: isInfinite := false, and infSignChar keeps its previous value.
// 4. Otherwise: isInfinite := c1c2c3 is "Inf", "inf", "+In", "+in", "-In" or "-in", and
//    infSignChar := '1' if c1 is '-', else '0'.
// So "Infinity", "info" and "nan123" are recognised; "NAN", "INF" and " nan" are not.
void detectSpecialText(std::string_view xText, SpecialText& special);

// The encoding shown for a text recognised by detectSpecialText, without touching X:
// E all "1"; S = infSignChar for an infinity, else nanSignChar; T all "0" for an infinity,
// all "1" for a NaN. Empty fields for a formatBytes other than 4, 8 or 16.
BitFields showSpecialEncoding(int formatBytes, const SpecialText& special);
// The same written into fields, reusing their strings' storage.
void showSpecialEncoding(int formatBytes, const SpecialText& special, BitFields& fields);
// The same for any format, the 16-bit ones included.
void showSpecialEncoding(const FormatSpec& format, const SpecialText& special, BitFields& fields);

// ---- Reading a decimal number -----------------------------------------------------------

enum class ReadOutcome {
  Ok,       // value replaced by the correctly rounded number (a subnormal, or a zero of
            // the number's sign, below the normal range)
  Invalid,  // not a number, or its rounded magnitude is infinite: value unchanged; the
            // window shows invalidValueMessage
  NoValue,  // the text supplies no number (all blank, or a comma or slash first after the
            // leading blanks): value unchanged, shown as for Ok
};

// The message box of the Invalid outcome. English in either language on purpose: the
// box is the same whichever language the window speaks; do not translate it.
inline constexpr std::string_view invalidValueMessage = "Invalid Value";
inline constexpr std::string_view invalidValueTitle = "Error";

// Reads the first xTextLength characters of text in free form as one number of format T,
// rounded to nearest with ties to even straight from the decimal digits (never through
// another format). Accepted: leading blanks; an optional sign; digits with an optional
// point (at least one digit); an optional exponent: a letter E, D or Q in either case, an
// optional sign and at least one digit. The number ends at the first blank, comma or slash
// (or the end of the text); anything else after it ("1.5abc", "1e", "1.5e+") is Invalid.
// value is written only on Ok. DecimalScanner (engine/decimal_scanner.h) reads a text of
// any length by the same rules, without the cut.
template <IeeeBinary T>
ReadOutcome readDecimal(std::string_view text, T& value);
// The same into the slot of format formatBytes; NoValue (nothing changed) for a bad format.
ReadOutcome readDecimal(int formatBytes, std::string_view text, FormatValues& values);

// ---- Print styles -----------------------------------------------------------------------

// d.ddd means one nonzero digit (0 for zero) before the point and the stated count after
// it; the exponent is its letter, a sign and at least the stated digits (more when needed;
// the letter is always kept). Digits are the exact value correctly rounded, ties to even.
//
//  style            Binary32             Binary64                  Binary128
//  XDisplay         +d.7 E, exp >= 2     +d.16 D, exp >= 2         +d.33 D, exp >= 3
//  NeighbourDecimal as XDisplay without "+" for positive values
//  DeltaStyle       d.7 E, exp >= 2      free form (below)         as NeighbourDecimal
//  Significand      d.7 E, exp >= 2      d.15 E, exp >= 2          d.33 E, exp >= 2
//  ExponentInteger  the value rounded to an integer (ties to even), all its digits, no
//                   blanks; "-" for a negative value
//
// DeltaStyle free form of Binary64: the value rounded to 15 significant digits decides;
// when 0.1 <= that magnitude < 10^15 it prints in fixed point with those 15 digits
// ("0.500000000000000", "1.00000000000000", "100000000000000."), otherwise with 16
// significant digits as d.15 E and an exponent of at least 3 digits
// ("1.110223024625157E-016"); zero prints as "0.000000000000000E+000".
//
// Negative zero keeps its "-" in every style. Infinities and NaNs print as words that say
// which they are: "+Infinity" (XDisplay) or "Infinity" (other styles), "-Infinity", and
// "NaN" whatever the sign bit.
//
// Every text is laid out in its fixed-width field (XDisplay 15 / 25 / 42 characters,
// DeltaStyle 14 / 24 / 42, Significand 14 / 22 / 41) and returned without leading or
// trailing blanks. The fields hold every value of the views the styles serve; a value too
// wide for its field (e.g. a negative number in the Significand style) is printed whole.
enum class PrintStyle { XDisplay, NeighbourDecimal, DeltaStyle, Significand, ExponentInteger };

template <IeeeBinary T>
std::string formatValue(T value, PrintStyle style);
// The same written into text, reusing its storage: printing value after value into one
// string allocates nothing once it has grown.
template <IeeeBinary T>
void formatValue(T value, PrintStyle style, std::string& text);
// The slot of format formatBytes in the style; empty for a bad format.
std::string formatValue(int formatBytes, const FormatValues& values, PrintStyle style);

// An integer in the ExponentInteger style: as many characters as it needs, "-" included.
std::string formatInteger(long long n);
void formatInteger(long long n, std::string& text);  // into text, its storage reused

}  // namespace bitscope
