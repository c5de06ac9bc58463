// SPDX-License-Identifier: MIT
#include "value_input.h"

#include <algorithm>
#include <cassert>

namespace bitscope::cli {

void ValueInput::feed(std::string_view piece, ValueKind kind) {
  const std::size_t take = std::min(piece.size(), xTextLength - textLength);
  std::copy_n(piece.begin(), take, text.begin() + static_cast<std::ptrdiff_t>(textLength));
  textLength += take;
  length += piece.size();
  if (kind == ValueKind::hex) return;  // the 42 characters hold every valid hexadecimal value
  if (kind == ValueKind::decimal) {
    if (take == piece.size()) return;
    if (!longText) {
      longText = true;
      scanner.reset();
      scanner.feed(std::string_view(text.data(), textLength));
    }
    scanner.feed(piece.substr(take));
    return;
  }

  for (const char c : piece) {
    if (c == '0' || c == '1') {
      if (digitCount < maxEncodingDigits) digits[digitCount] = c;
      ++digitCount;
    } else if (c != ' ' && c != '_') {
      strayCharacter = true;
    }
  }
}

bool ValueInput::hexEncoding(int k, EncodingBits& bits) {
  std::string_view hex(text.data(), textLength);
  if (length != textLength) return false;  // longer than any valid value
  if (hex.starts_with("0x") || hex.starts_with("0X")) hex.remove_prefix(2);
  if (hex.size() != static_cast<std::size_t>(k / 4)) return false;
  bits = 0;
  for (const char c : hex) {
    int digit = 0;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    bits = bits << 4 | static_cast<unsigned>(digit);
  }
  return true;
}

bool ValueInput::typedNumber(ExactDecimal& typed) {
  // A short value was read from its X text without the scanner: scan it now.
  if (!longText) {
    scanner.reset();
    scanner.feed(xText());
  }
  const DecimalScanner::Digits number = scanner.digits();
  if (!number.whole) return false;
  typed = exactFromDigits(number.negative, number.digits, number.lastDigitExponent);
  return true;
}

std::string_view ValueInput::xText() {
  std::fill(text.begin() + static_cast<std::ptrdiff_t>(textLength), text.end(), ' ');
  return {text.data(), text.size()};
}

std::string_view ValueInput::encoding(std::size_t k) {
  assert(k <= maxEncodingDigits);
  if (strayCharacter || digitCount == 0 || digitCount > k) return {};
  const std::size_t pad = k - digitCount;
  std::fill_n(encoded_.begin(), pad, '0');
  std::copy_n(digits.begin(), digitCount, encoded_.begin() + static_cast<std::ptrdiff_t>(pad));
  return {encoded_.data(), k};
}

}  // namespace bitscope::cli
