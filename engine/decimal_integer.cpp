// SPDX-License-Identifier: MIT
#include "engine/decimal_integer.h"

#include <algorithm>
#include <cassert>
#include <charconv>

namespace bitscope::detail {

DecimalInteger::DecimalInteger(unsigned __int128 n) {
  for (; n != 0; n /= base) limbs_.push_back(static_cast<std::uint32_t>(n % base));
}

DecimalInteger DecimalInteger::fromDigits(std::string_view digits) {
  DecimalInteger result;
  // Nine digits at a time from the right: each group is one limb.
  for (std::size_t end = digits.size(); end > 0;) {
    const std::size_t begin = end >= digitsPerLimb ? end - digitsPerLimb : 0;
    std::uint32_t limb = 0;
    for (std::size_t i = begin; i < end; ++i) {
      assert(digits[i] >= '0' && digits[i] <= '9');
      limb = limb * 10 + static_cast<std::uint32_t>(digits[i] - '0');
    }
    result.limbs_.push_back(limb);
    end = begin;
  }
  result.trim();
  return result;
}

void DecimalInteger::trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

// A limb times a factor of at most 4 * 10^9 plus the carry stays below 2^64.
void DecimalInteger::multiplySmall(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs_) {
    const std::uint64_t t = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(t % base);
    carry = t / base;
  }
  for (; carry != 0; carry /= base) limbs_.push_back(static_cast<std::uint32_t>(carry % base));
}

DecimalInteger DecimalInteger::power(std::uint32_t b, std::uint64_t n) {
  assert(b >= 2 && b <= 4 * base);
  DecimalInteger result(1);
  // Left to right over the bits of n: square, and multiply by b where the bit is 1.
  for (int bit = 63; bit >= 0; --bit) {
    if (!result.limbs_.empty() && !(result.limbs_.size() == 1 && result.limbs_[0] == 1))
      result = result * result;
    if (((n >> bit) & 1U) != 0) result.multiplySmall(b);
  }
  return result;
}

// Schoolbook product, row by row into 64-bit column sums. A product of two limbs is below
// 10^18, so a column takes eighteen of them before it could pass 2^64: every eighteen rows
// the sums are carried back below the base. The inner loop is a plain multiply-add over
// contiguous limbs, which the compiler turns into vector instructions.
DecimalInteger operator*(const DecimalInteger& a, const DecimalInteger& b) {
  DecimalInteger result;
  if (a.isZero() || b.isZero()) return result;
  const std::vector<std::uint32_t>& x = a.limbs_.size() >= b.limbs_.size() ? a.limbs_ : b.limbs_;
  const std::vector<std::uint32_t>& y = a.limbs_.size() >= b.limbs_.size() ? b.limbs_ : a.limbs_;
  const std::size_t nx = x.size(), ny = y.size();
  std::vector<std::uint64_t> sums(nx + ny + 1, 0);
  constexpr std::size_t rowsBetweenCarries = 18;
  const auto carryFrom = [&](std::size_t first) {
    std::uint64_t carry = 0;
    for (std::size_t k = first; k < sums.size(); ++k) {
      const std::uint64_t t = sums[k] + carry;
      sums[k] = t % DecimalInteger::base;
      carry = t / DecimalInteger::base;
      if (carry == 0 && k > first + nx + rowsBetweenCarries) break;
    }
    assert(carry == 0);
  };
  for (std::size_t j = 0; j < ny; ++j) {
    const std::uint64_t factor = y[j];
    std::uint64_t* row = sums.data() + j;
    for (std::size_t i = 0; i < nx; ++i) row[i] += factor * x[i];
    if ((j + 1) % rowsBetweenCarries == 0) carryFrom(j + 1 - rowsBetweenCarries);
  }
  // Each pass leaves the columns below its start reduced (no later row reaches them), so
  // after the last rows every column is below the base.
  carryFrom(ny - ny % rowsBetweenCarries);
  result.limbs_.assign(sums.begin(), sums.end());
  result.trim();
  return result;
}

void DecimalInteger::appendDigits(std::string& out) const {
  if (limbs_.empty()) {
    out += '0';
    return;
  }
  char buffer[digitsPerLimb];
  const auto top = std::to_chars(buffer, buffer + digitsPerLimb, limbs_.back());
  out.append(buffer, top.ptr);
  for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
    std::uint32_t limb = limbs_[i];
    for (int d = digitsPerLimb - 1; d >= 0; --d, limb /= 10) buffer[d] = static_cast<char>('0' + limb % 10);
    out.append(buffer, digitsPerLimb);
  }
}

}  // namespace bitscope::detail
