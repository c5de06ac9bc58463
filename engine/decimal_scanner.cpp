// SPDX-License-Identifier: MIT
#include "engine/decimal_scanner.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <system_error>

#include "engine/encoding.h"
#include "engine/exact_value.h"
#include "engine/quad.h"

namespace bitscope {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool endsNumber(char c) { return c == ' ' || c == ',' || c == '/'; }
bool isExponentLetter(char c) { return std::string_view("EeDdQq").find(c) != std::string_view::npos; }

// Correctly rounded conversion of the NUL-terminated text [first, last) of a nonzero number
// straight into T. aboveOne: the number's first digit stands at or above the units place.
template <IeeeBinary T>
ReadOutcome convert(const char* first, const char* last, bool negative, bool aboveOne, T& value) {
  if constexpr (std::same_as<T, Binary128>) {
    // The Binary128 conversion (strtold or strtoflt128) rounds correctly, subnormals
    // included, and gives an infinity exactly when the rounded result overflows (errno
    // is not consulted: libquadmath leaves it unset at the top of the overflow range).
    const char* end = nullptr;
    T result = detail::parseBinary128(first, &end);
    if (end != last) return ReadOutcome::Invalid;
    if (detail::Encoding<T>(result).isInfinite()) return ReadOutcome::Invalid;
    if (result == 0) result = negative ? -T(0) : T(0);
    value = result;
    return ReadOutcome::Ok;
  } else {
    // from_chars rounds correctly, subnormals included, but answers result_out_of_range
    // for an overflow and for an underflow to zero alike (leaving result untouched). A
    // nonzero number out of range is an overflow when its first digit stands at or above
    // the units place (no format underflows there) and an underflow to zero otherwise.
    T result{};
    const auto [end, ec] = std::from_chars(first, last, result);
    if (end != last) return ReadOutcome::Invalid;
    if (ec == std::errc::result_out_of_range) {
      if (aboveOne) return ReadOutcome::Invalid;
      result = negative ? -T(0) : T(0);
    } else if (ec != std::errc()) {
      return ReadOutcome::Invalid;
    }
    value = result;
    return ReadOutcome::Ok;
  }
}

}  // namespace

void DecimalScanner::reset() {
  state_ = State::LeadingBlanks;
  negative_ = anyDigit_ = point_ = nonzero_ = sticky_ = negativeExponent_ = false;
  integerDigits_ = leadingZeros_ = exponent_ = 0;
  kept_ = 0;
}

// The free-form grammar, one character at a time:
// 1. Leading blanks; a comma or slash before anything else supplies no number.
// 2. An optional sign.
// 3. Digits with an optional point; at least one digit.
// 4. An optional exponent: E, D or Q in either case, an optional sign, at least one digit.
// 5. The number must end there: at the end of the text, or at a blank, comma or slash,
//    after which nothing more is looked at.
void DecimalScanner::feed(std::string_view piece) {
  for (const char c : piece) {
    switch (state_) {
      case State::LeadingBlanks:
        if (c == ' ') break;
        if (c == ',' || c == '/') {
          state_ = State::NoValue;
          return;
        }
        state_ = State::Mantissa;
        if (c == '+' || c == '-') {
          negative_ = c == '-';
          break;
        }
        [[fallthrough]];
      case State::Mantissa:
        if (isDigit(c))
          digit(c);
        else if (c == '.' && !point_)
          point_ = true;
        else if (isExponentLetter(c) && anyDigit_)
          state_ = State::ExponentLetter;
        else
          endOfNumber(endsNumber(c) && anyDigit_);
        break;
      case State::ExponentLetter:
        if (c == '+' || c == '-') {
          negativeExponent_ = c == '-';
          state_ = State::ExponentSign;
          break;
        }
        [[fallthrough]];
      case State::ExponentSign:
        if (!isDigit(c)) {
          state_ = State::Invalid;
          return;
        }
        state_ = State::ExponentDigits;
        exponent_ = c - '0';
        break;
      case State::ExponentDigits:
        if (isDigit(c))
          exponent_ = std::min(countLimit, exponent_ * 10 + (c - '0'));
        else
          endOfNumber(endsNumber(c));
        break;
      case State::Ended:
      case State::NoValue:
      case State::Invalid:
        return;
    }
  }
}

// Zeros before the first nonzero digit only move the point; from that digit on, every
// digit counts towards the place of the point, and the first maxDecidingDigits are kept.
void DecimalScanner::digit(char c) {
  anyDigit_ = true;
  if (!nonzero_) {
    if (c == '0') {
      if (point_) leadingZeros_ = std::min(countLimit, leadingZeros_ + 1);
      return;
    }
    nonzero_ = true;
  }
  if (!point_) integerDigits_ = std::min(countLimit, integerDigits_ + 1);
  if (kept_ < static_cast<std::size_t>(maxDecidingDigits))
    text_[2 + kept_++] = c;
  else
    sticky_ = sticky_ || c != '0';
}

void DecimalScanner::endOfNumber(bool complete) { state_ = complete ? State::Ended : State::Invalid; }

template <IeeeBinary T>
ReadOutcome DecimalScanner::read(T& value) {
  switch (state_) {
    case State::LeadingBlanks:
    case State::NoValue:
      return ReadOutcome::NoValue;
    case State::Mantissa:
      if (!anyDigit_) return ReadOutcome::Invalid;  // ".", "+", "-"
      break;
    case State::ExponentLetter:
    case State::ExponentSign:
    case State::Invalid:
      return ReadOutcome::Invalid;
    case State::ExponentDigits:
    case State::Ended:
      break;
  }
  if (!nonzero_) {
    value = negative_ ? -T(0) : T(0);
    return ReadOutcome::Ok;
  }
  const std::int64_t place = std::clamp(this->place(), -exponentBound, exponentBound);
  if constexpr (SmallIeeeBinary<T>) {
    return readExactly(place, value);
  } else {
    return readKept(place, value);
  }
}

template <IeeeBinary T>
ReadOutcome DecimalScanner::readKept(std::int64_t place, T& value) {
  ReadOutcome outcome = convertKept(kept_, sticky_ ? '1' : '\0', place, value);
  if constexpr (std::same_as<T, Binary128>) {
    // libquadmath, one of the Binary128 conversions, rounds the one tie at half the
    // smallest subnormal (2^-16495, 11530 digits) away from zero, not to the even zero;
    // the lowered read is as right with a conversion that has no such fault. Only a
    // number read without a cut can be that tie. Every number that rounds to the
    // smallest subnormal has its first digit in the same place as the tie, so a number
    // above the tie exceeds it by at least one unit of the maxDecidingDigits-th digit;
    // lowered by a tenth of that unit, the tie rounds to zero and any number above it
    // still as before.
    if (outcome == ReadOutcome::Ok && !sticky_ &&
        (value == smallestSubnormal<T> || value == -smallestSubnormal<T>))
      outcome = readLowered(place, value);
  }
  return outcome;
}

// The kept digits stand for the number, with a digit 1 after them when a dropped digit was
// nonzero: the same number, as far as rounding into any format can tell.
template <SmallIeeeBinary T>
ReadOutcome DecimalScanner::readExactly(std::int64_t place, T& value) const {
  std::string digits(text_.data() + 2, kept_);
  if (sticky_) digits += '1';
  const ExactDecimal x = exactFromDigits(negative_, digits, place - static_cast<std::int64_t>(digits.size()));
  EncodingBits bits = 0;
  if (!roundExactly(FormatTraits<T>::format, x, bits)) return ReadOutcome::Invalid;
  value = std::bit_cast<T>(static_cast<typename FormatTraits<T>::Bits>(bits));
  return ReadOutcome::Ok;
}

// The point stands after the integer digits, or before the zeros that follow it.
std::int64_t DecimalScanner::place() const {
  return integerDigits_ - leadingZeros_ + (negativeExponent_ ? -exponent_ : exponent_);
}

DecimalScanner::Digits DecimalScanner::digits() const {
  if (!nonzero_) return {negative_, {}, 0, true};
  // A count that reached its limit no longer knows the place of the point exactly.
  const bool placeKnown = std::max({integerDigits_, leadingZeros_, exponent_}) < countLimit;
  return {negative_, std::string_view(text_.data() + 2, kept_), place() - static_cast<std::int64_t>(kept_),
          !sticky_ && placeKnown};
}

template <IeeeBinary T>
ReadOutcome DecimalScanner::convertKept(std::size_t digits, char extraDigit, std::int64_t place, T& value) {
  std::size_t end = 2 + digits;
  if (extraDigit != '\0') text_[end++] = extraDigit;
  text_[end++] = 'e';
  const auto [last, ec] = std::to_chars(text_.data() + end, text_.data() + text_.size() - 1, place);
  assert(ec == std::errc());
  *last = '\0';
  text_[0] = '-';
  text_[1] = '.';
  return convert(text_.data() + (negative_ ? 0 : 1), last, negative_, place >= 1, value);
}

// The kept digits widened with zeros to maxDecidingDigits, one unit of the last taken away
// and a 9 appended: the number less a tenth of that unit. The kept digits are restored
// after, so that the number can be read again.
ReadOutcome DecimalScanner::readLowered(std::int64_t place, Binary128& value) {
  const std::size_t width = static_cast<std::size_t>(maxDecidingDigits);
  const auto digit = [this](std::size_t i) { return text_.begin() + 2 + static_cast<std::ptrdiff_t>(i); };
  std::fill(digit(kept_), digit(width), '0');
  std::size_t borrow = width - 1;
  while (*digit(borrow) == '0') *digit(borrow--) = '9';
  --*digit(borrow);
  const ReadOutcome outcome = convertKept(width, '9', place, value);
  ++*digit(borrow);
  assert(borrow < kept_);  // the first kept digit is nonzero
  std::fill(digit(borrow + 1), digit(kept_), '0');
  return outcome;
}

template ReadOutcome DecimalScanner::read(Binary32&);
template ReadOutcome DecimalScanner::read(Binary64&);
template ReadOutcome DecimalScanner::read(Binary128&);
template ReadOutcome DecimalScanner::read(Binary16&);
template ReadOutcome DecimalScanner::read(BFloat16&);

}  // namespace bitscope
