// SPDX-License-Identifier: MIT
#include "engine/exact_decimal.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "engine/decimal_integer.h"

namespace bitscope {

namespace {

// Moves trailing zeros of the digits into the exponent and drops leading zeros.
void normalise(ExactDecimal& x) {
  const std::size_t first = x.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    x.digits.clear();
    x.exponent = 0;
    return;
  }
  const std::size_t last = x.digits.find_last_not_of('0');
  x.exponent += static_cast<std::int64_t>(x.digits.size() - 1 - last);
  x.digits.erase(last + 1);
  x.digits.erase(0, first);
}

// The digits of x written with exactly `exponent` as the exponent of the last digit
// (requires exponent <= x.exponent): trailing zeros appended.
std::string digitsAt(const ExactDecimal& x, std::int64_t exponent) {
  std::string d = x.digits;
  d.append(static_cast<std::size_t>(x.exponent - exponent), '0');
  return d;
}

// a >= b for digit strings of no leading zero.
bool notSmaller(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() > b.size();
  return a >= b;
}

// big - small for digit strings, big >= small, both without leading zeros.
std::string subtractDigits(std::string_view big, std::string_view small) {
  std::string result(big);
  int borrow = 0;
  std::size_t i = result.size(), j = small.size();
  while (i-- > 0) {
    int d = result[i] - '0' - borrow - (j > 0 ? small[--j] - '0' : 0);
    borrow = d < 0 ? 1 : 0;
    result[i] = static_cast<char>('0' + d + 10 * borrow);
    if (j == 0 && borrow == 0) break;
  }
  return result;
}

std::string addDigits(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  std::string result(a);
  int carry = 0;
  std::size_t i = result.size(), j = b.size();
  while (i-- > 0) {
    const int d = result[i] - '0' + carry + (j > 0 ? b[--j] - '0' : 0);
    carry = d >= 10 ? 1 : 0;
    result[i] = static_cast<char>('0' + d - 10 * carry);
    if (j == 0 && carry == 0) break;
  }
  if (carry != 0) result.insert(result.begin(), '1');
  return result;
}

}  // namespace

ExactDecimal exactBinary(bool negative, unsigned __int128 m, std::int64_t e) {
  ExactDecimal x;
  x.negative = negative;
  if (m == 0) return x;
  // Powers of two in m only lengthen the product: move them into e first.
  while ((m & 1U) == 0) {
    m >>= 1;
    ++e;
  }
  // m * 2^e is an integer for e >= 0; for e < 0 it is m * 5^-e / 10^-e.
  const detail::DecimalInteger product =
      detail::DecimalInteger(m) *
      detail::DecimalInteger::power(e >= 0 ? 2 : 5, static_cast<std::uint64_t>(e >= 0 ? e : -e));
  product.appendDigits(x.digits);
  x.exponent = e >= 0 ? 0 : e;
  normalise(x);
  return x;
}

ExactDecimal exactFromDigits(bool negative, std::string_view digits, std::int64_t lastDigitExponent) {
  ExactDecimal x{negative, std::string(digits), lastDigitExponent};
  normalise(x);
  return x;
}

// Both numbers are brought to the exponent of the finer one, then their digit strings are
// added or subtracted as integers.
ExactDecimal exactDifference(const ExactDecimal& a, const ExactDecimal& b) {
  if (b.isZero()) return a.isZero() ? ExactDecimal{} : a;
  if (a.isZero()) return ExactDecimal{!b.negative, b.digits, b.exponent};
  const std::int64_t exponent = std::min(a.exponent, b.exponent);
  const std::string da = digitsAt(a, exponent), db = digitsAt(b, exponent);
  ExactDecimal result;
  result.exponent = exponent;
  if (a.negative != b.negative) {
    // a - b = a + |b| when the signs differ: the magnitudes add, a's sign stays.
    result.negative = a.negative;
    result.digits = addDigits(da, db);
  } else if (notSmaller(da, db)) {
    result.negative = a.negative;
    result.digits = subtractDigits(da, db);
  } else {
    result.negative = !a.negative;
    result.digits = subtractDigits(db, da);
  }
  normalise(result);
  if (result.isZero()) result.negative = false;
  return result;
}

ExactDecimal exactTimesPowerOfTwo(const ExactDecimal& x, std::int64_t k) {
  if (x.isZero() || k == 0) return x;
  // x * 2^k for k < 0 is x * 5^-k / 10^-k.
  const detail::DecimalInteger product =
      detail::DecimalInteger::fromDigits(x.digits) *
      detail::DecimalInteger::power(k > 0 ? 2 : 5, static_cast<std::uint64_t>(k > 0 ? k : -k));
  ExactDecimal result{x.negative, {}, x.exponent + (k > 0 ? 0 : k)};
  product.appendDigits(result.digits);
  normalise(result);
  return result;
}

// Numbers whose first digits stand at different places compare by that place; at the same
// place the digit strings compare as text, a missing digit counting as a trailing zero
// (the strings have no trailing zeros of their own).
int compareMagnitudes(const ExactDecimal& a, const ExactDecimal& b) {
  if (a.isZero() || b.isZero()) return (a.isZero() ? 0 : 1) - (b.isZero() ? 0 : 1);
  const std::int64_t placeA = a.exponent + static_cast<std::int64_t>(a.digits.size());
  const std::int64_t placeB = b.exponent + static_cast<std::int64_t>(b.digits.size());
  if (placeA != placeB) return placeA < placeB ? -1 : 1;
  return a.digits.compare(b.digits);
}

// Rounding to nearest looks at the first dropped digit: above 5, or 5 with anything nonzero
// after it (the digits have no trailing zero, so "anything after it" is "more digits"),
// rounds up; exactly 5 alone is a tie, which goes to the even last kept digit.
ExactDecimal roundedToDigits(const ExactDecimal& x, int n) {
  assert(n >= 1);
  const auto keep = static_cast<std::size_t>(n);
  if (x.digits.size() <= keep) return x;
  const char first = x.digits[keep];
  const bool tie = first == '5' && x.digits.size() == keep + 1;
  const bool up = first > '5' || (first == '5' && !tie) || (tie && (x.digits[keep - 1] - '0') % 2 == 1);
  ExactDecimal result{x.negative, x.digits.substr(0, keep),
                      x.exponent + static_cast<std::int64_t>(x.digits.size() - keep)};
  if (up) result.digits = addDigits(result.digits, "1");
  normalise(result);
  return result;
}

std::string decimalText(const ExactDecimal& x, DecimalLayout layout) {
  std::string text;
  if (x.isZero()) {
    text = x.negative && !layout.unsignedZero ? "-0" : "0";
    return text;
  }
  if (x.negative)
    text += '-';
  else if (layout.alwaysSign)
    text += '+';
  const auto count = static_cast<std::int64_t>(x.digits.size());
  const std::int64_t scientific = x.exponent + count - 1;  // the exponent of the first digit
  if (scientific >= -7 && scientific < 21) {
    if (x.exponent >= 0) {
      text += x.digits;
      text.append(static_cast<std::size_t>(x.exponent), '0');
    } else if (scientific >= 0) {
      const auto before = static_cast<std::size_t>(scientific + 1);
      text.append(x.digits, 0, before);
      text += '.';
      text.append(x.digits, before);
    } else {
      text += "0.";
      text.append(static_cast<std::size_t>(-scientific - 1), '0');
      text += x.digits;
    }
    return text;
  }
  text += x.digits[0];
  if (count > 1) {
    text += '.';
    text.append(x.digits, 1);
  }
  text += scientific < 0 ? "e-" : "e+";
  const std::int64_t magnitude = scientific < 0 ? -scientific : scientific;
  if (magnitude < 10) text += '0';
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
  text.append(buffer, end.ptr);
  return text;
}

}  // namespace bitscope
