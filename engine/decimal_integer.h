// SPDX-License-Identifier: MIT
// Internal to the engine: an unsigned integer of any size held in base 10^9, the little
// exact arithmetic that the exact decimal value of an encoding needs.
//
// Every finite binary value is m * 2^e with integers m and e, and its decimal expansion is
// finite: m * 2^e for e >= 0, and m * 5^-e / 10^-e for e < 0. So its digits are those of
// one product, an integer times a power of 2 or 5, and base 10^9 makes the decimal digits
// fall out of the limbs without any division by ten.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bitscope::detail {

class DecimalInteger {
 public:
  static constexpr std::uint32_t base = 1'000'000'000;
  static constexpr int digitsPerLimb = 9;

  DecimalInteger() = default;  // zero
  explicit DecimalInteger(unsigned __int128 n);

  // The integer a string of decimal digits (no sign, no blank; may be empty: zero) spells.
  static DecimalInteger fromDigits(std::string_view digits);

  // b^n, computed by repeated squaring. Requires 2 <= b <= 4 * base.
  static DecimalInteger power(std::uint32_t b, std::uint64_t n);

  friend DecimalInteger operator*(const DecimalInteger& a, const DecimalInteger& b);

  bool isZero() const { return limbs_.empty(); }

  // Appends the decimal digits, without leading zeros ("0" for zero).
  void appendDigits(std::string& out) const;

 private:
  void multiplySmall(std::uint32_t factor);  // factor <= 4 * base
  void trim();

  std::vector<std::uint32_t> limbs_;  // least significant first; no zero limb on top
};

}  // namespace bitscope::detail
