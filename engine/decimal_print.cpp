// SPDX-License-Identifier: MIT
#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>

#include "engine/decimal_text.h"
#include "engine/encoding.h"
#include "engine/quad.h"

namespace bitscope {

namespace {

// A scientific layout d.ddd<letter><sign><exponent>. The styles' fixed-width fields
// (15, 25, 42 characters for XDisplay, and so on) hold every value their views show, and
// the blanks that would pad them are removed anyway, so the text alone is produced; a value
// too wide for its field (only possible when a style is given values outside its view, such
// as a negative number in the significand style) is printed whole rather than cut.
struct Layout {
  int digitsAfterPoint;   // digits after the point
  char letter;            // exponent letter, always written
  int minExponentDigits;  // exponent digits written at least
  bool plusSign;          // "+" before a positive value
};

template <IeeeBinary T>
constexpr Layout xDisplayLayout() {
  if constexpr (std::same_as<T, Binary32>)
    return {7, 'E', 2, true};
  else if constexpr (std::same_as<T, Binary64>)
    return {16, 'D', 2, true};
  // Five significant digits tell every Binary16 value apart, four every BFloat16 one.
  else if constexpr (std::same_as<T, Binary16>)
    return {4, 'E', 2, true};
  else if constexpr (std::same_as<T, BFloat16>)
    return {3, 'E', 2, true};
  else
    return {33, 'D', 3, true};
}

template <IeeeBinary T>
constexpr Layout neighbourLayout() {
  Layout layout = xDisplayLayout<T>();
  layout.plusSign = false;
  return layout;
}

template <IeeeBinary T>
constexpr Layout significandLayout() {
  if constexpr (std::same_as<T, Binary32>)
    return {7, 'E', 2, false};
  else if constexpr (std::same_as<T, Binary64>)
    return {15, 'E', 2, false};
  else if constexpr (SmallIeeeBinary<T>)
    return {xDisplayLayout<T>().digitsAfterPoint, 'E', 2, false};
  else
    return {33, 'E', 2, false};
}

// Binary32's DeltaStyle; Binary64 has the free form, the other formats the neighbour layout.
constexpr Layout delta32Layout{7, 'E', 2, false};
// The exponent form of Binary64's free form: 16 significant digits, 3 exponent digits.
constexpr Layout freeFormExponentLayout{15, 'E', 3, false};
constexpr int freeFormFixedDigits = 15;  // significant digits of the fixed-point form

// The value as the standard conversions take it: a 16-bit format widened to float, which
// holds each of its values exactly, so its digits are those of the value itself.
template <IeeeBinary T>
auto convertible(T value) {
  if constexpr (SmallIeeeBinary<T>)
    return static_cast<float>(value);
  else
    return value;
}

// Room for the longest scientific text (Binary128: sign, 34 digits, point, "e-4966") and
// a '+' in front.
using TextBuffer = std::array<char, 64>;

// The exact value correctly rounded (ties to even) to 1 + digitsAfterPoint significant
// digits, written "-d.ddde+XX" (at least two exponent digits) from first onwards by to_chars
// (Binary32, Binary64) or printBinary128 (Binary128), both locale independent here.
// Returns the end of the text.
template <IeeeBinary T>
char* writeScientific(char* first, char* last, T value, int digitsAfterPoint) {
  if constexpr (std::same_as<T, Binary128>) {
    const int n =
        detail::printBinary128(first, static_cast<std::size_t>(last - first), true, digitsAfterPoint, value);
    assert(n > 0 && n < last - first);
    return first + n;
  } else {
    const auto result =
        std::to_chars(first, last, convertible(value), std::chars_format::scientific, digitsAfterPoint);
    assert(result.ec == std::errc());
    return result.ptr;
  }
}

// A scientific style in three steps:
// 1. Write the correctly rounded digits one place into the buffer (room for a '+').
// 2. Replace the letter 'e' by the style's letter, and widen the exponent with leading
//    zeros to its minimum digits (the conversions write at least two).
// 3. Put '+' in front of a positive value if the style wants it.
template <IeeeBinary T>
void scientificText(T value, const Layout& layout, std::string& text) {
  TextBuffer buffer;
  char* first = buffer.data() + 1;
  char* last = writeScientific(first, buffer.data() + buffer.size() - 2, value, layout.digitsAfterPoint);
  char* letter = last - 1;
  while (*letter != 'e') --letter;
  *letter = layout.letter;
  char* digits = letter + 2;  // after the exponent's sign
  const auto missing = layout.minExponentDigits - static_cast<int>(last - digits);
  if (missing > 0) {
    std::copy_backward(digits, last, last + missing);
    std::fill(digits, digits + missing, '0');
    last += missing;
  }
  if (layout.plusSign && *first != '-') *--first = '+';
  text.assign(first, last);
}

// The decimal exponent of the value rounded to 15 significant digits, and those digits:
// a conversion to "d.dddddddddddddde+XX" taken apart.
struct FifteenDigits {
  TextBuffer text;
  char* digits;  // "d.dddddddddddddd" (after the sign)
  int exponent;
};

FifteenDigits roundedToFifteen(Binary64 value) {
  FifteenDigits r;
  char* last = writeScientific(r.text.data(), r.text.data() + r.text.size(), value, 14);
  r.digits = r.text.data() + (r.text[0] == '-' ? 1 : 0);
  const char* letter = r.digits + 16;
  std::from_chars(letter + (letter[1] == '+' ? 2 : 1), last, r.exponent);
  return r;
}

// Binary64's free form of the DeltaStyle:
// 1. Round |x| to 15 significant digits; the rounded value r decides the form, so a value
//    that rounds up to 10^15 (or up to 0.1) takes the form of r. Far from those two edges
//    a comparison decides without the rounding.
// 2. 0.1 <= r < 10^15 (decimal exponent -1 to 14): fixed point with those 15 digits, the
//    point after the digits of the integer part ("0." first below 1).
// 3. Otherwise, and for zero: d.15 with 16 significant digits, letter E, 3 exponent digits.
void freeFormText(Binary64 value, std::string& text) {
  const Binary64 magnitude = value < 0 ? -value : value;
  if (magnitude < 0.0999 || magnitude >= 1e15) return scientificText(value, freeFormExponentLayout, text);
  const FifteenDigits r = roundedToFifteen(value);
  if (r.exponent < -1 || r.exponent >= freeFormFixedDigits)
    return scientificText(value, freeFormExponentLayout, text);
  // r.digits = "d.dddddddddddddd": the first digit, the point, 14 more.
  text.clear();
  if (value < 0) text += '-';
  if (r.exponent < 0) {
    text += "0.";
    text += r.digits[0];
    text.append(r.digits + 2, 14);
  } else {
    const auto after = static_cast<std::size_t>(r.exponent);  // digits moved before the point
    text += r.digits[0];
    text.append(r.digits + 2, after);
    text += '.';
    text.append(r.digits + 2 + after, 14 - after);
  }
}

// The value rounded to an integer (ties to even), with every digit.
template <IeeeBinary T>
void integerText(T value, std::string& text) {
  if constexpr (std::same_as<T, Binary128>) {
    // |value| < 2^(E - bias + 1) has at most (E - bias + 1) * log10(2) + 1 digits; the
    // text is sized for that (log10(2) < 0.30103), with room for the sign and NUL.
    const detail::Encoding<T> encoding(value);
    const auto e2 = static_cast<int>(encoding.biasedExponent()) - encoding.format.bias + 1;
    text.resize(static_cast<std::size_t>(e2 > 0 ? e2 * 30103 / 100000 : 0) + 4);
    const int n = detail::printBinary128(text.data(), text.size(), false, 0, value);
    assert(n > 0 && static_cast<std::size_t>(n) < text.size());
    text.resize(static_cast<std::size_t>(n));
  } else {
    // The largest Binary64 has 309 integer digits.
    std::array<char, 320> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), convertible(value),
                                      std::chars_format::fixed, 0);
    assert(result.ec == std::errc());
    text.assign(buffer.data(), result.ptr);
  }
}

// Infinities and NaNs print as words that say which they are.
template <IeeeBinary T>
std::string_view nonFiniteText(T value, PrintStyle style) {
  const detail::Encoding<T> encoding(value);
  if (encoding.isNaN()) return "NaN";
  if (encoding.sign()) return "-Infinity";
  return style == PrintStyle::XDisplay ? "+Infinity" : "Infinity";
}

}  // namespace

template <IeeeBinary T>
void formatValue(T value, PrintStyle style, std::string& text) {
  const detail::Encoding<T> encoding(value);
  if (encoding.isNaN() || encoding.isInfinite()) {
    text.assign(nonFiniteText(value, style));
    return;
  }
  switch (style) {
    case PrintStyle::XDisplay:
      return scientificText(value, xDisplayLayout<T>(), text);
    case PrintStyle::NeighbourDecimal:
      return scientificText(value, neighbourLayout<T>(), text);
    case PrintStyle::DeltaStyle:
      if constexpr (std::same_as<T, Binary32>)
        return scientificText(value, delta32Layout, text);
      else if constexpr (std::same_as<T, Binary64>)
        return freeFormText(value, text);
      else
        return scientificText(value, neighbourLayout<T>(), text);
    case PrintStyle::Significand:
      return scientificText(value, significandLayout<T>(), text);
    case PrintStyle::ExponentInteger:
      return integerText(value, text);
  }
  text.clear();
}

template <IeeeBinary T>
std::string formatValue(T value, PrintStyle style) {
  std::string text;
  formatValue(value, style, text);
  return text;
}

std::string formatValue(int formatBytes, const FormatValues& values, PrintStyle style) {
  std::string text;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { formatValue(values.slot<T>(), style, text); });
  return text;
}

void formatInteger(long long n, std::string& text) {
  std::array<char, 24> buffer;  // 19 digits and a sign at most
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
  text.assign(buffer.data(), result.ptr);
}

std::string formatInteger(long long n) {
  std::string text;
  formatInteger(n, text);
  return text;
}

template std::string formatValue(Binary32, PrintStyle);
template std::string formatValue(Binary64, PrintStyle);
template std::string formatValue(Binary128, PrintStyle);
template std::string formatValue(Binary16, PrintStyle);
template std::string formatValue(BFloat16, PrintStyle);
template void formatValue(Binary32, PrintStyle, std::string&);
template void formatValue(Binary64, PrintStyle, std::string&);
template void formatValue(Binary128, PrintStyle, std::string&);
template void formatValue(Binary16, PrintStyle, std::string&);
template void formatValue(BFloat16, PrintStyle, std::string&);

}  // namespace bitscope
