// SPDX-License-Identifier: MIT
// The digits of an encoding in base 2 and base 16, written and read.
#include "engine/encoding.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace bitscope {

namespace {

// The eight digits of each byte, most significant first: digits are written a byte at a
// time by copying from this table instead of testing bit after bit.
constexpr auto byteDigits = [] {
  std::array<std::array<char, 8>, 256> table{};
  for (std::size_t b = 0; b < table.size(); ++b)
    for (std::size_t i = 0; i < 8; ++i) table[b][i] = ((b >> (7 - i)) & 1U) != 0 ? '1' : '0';
  return table;
}();

// Writes the low k bits of a 64-bit word, k a multiple of 8 (most significant byte first).
void writeBinaryDigits64(char* out, std::uint64_t bits, int k) {
  for (int shift = k - 8; shift >= 0; shift -= 8, out += 8)
    std::memcpy(out, byteDigits[(bits >> shift) & 0xFF].data(), 8);
}

void writeHexDigits64(char* out, std::uint64_t bits, int k) {
  constexpr std::string_view hexDigits = "0123456789ABCDEF";
  for (int shift = k - 4; shift >= 0; shift -= 4) *out++ = hexDigits[(bits >> shift) & 0xF];
}

}  // namespace

// Both writers work on 64-bit halves: 128-bit shifts cost several instructions each.
void detail::writeBinaryDigits(char* out, unsigned __int128 bits, int k) {
  assert(k % 8 == 0 && k > 0 && k <= 128);
  if (k > 64) {
    writeBinaryDigits64(out, static_cast<std::uint64_t>(bits >> 64), k - 64);
    out += k - 64;
    k = 64;
  }
  writeBinaryDigits64(out, static_cast<std::uint64_t>(bits), k);
}

void detail::writeHexDigits(char* out, unsigned __int128 bits, int k) {
  assert(k % 4 == 0 && k > 0 && k <= 128);
  if (k > 64) {
    writeHexDigits64(out, static_cast<std::uint64_t>(bits >> 64), k - 64);
    out += (k - 64) / 4;
    k = 64;
  }
  writeHexDigits64(out, static_cast<std::uint64_t>(bits), k);
}

namespace {

// The eight characters at p as the 8-bit number they spell (the first character most
// significant) when each is '0' or '1'; -1 otherwise (a blank or another character).
// 1. Read as a little-endian word, p[i] is byte i. Each byte is 0x30 or 0x31 exactly when
//    clearing its low bit leaves 0x30.
// 2. The digits are then the low bits, at bits 8i. One multiplication by the sum of 2^(9j)
//    (j = 0..7) gathers them: the bit of byte i lands at 8i + 9j, which falls in the top
//    byte (56..63) only for j = 7 - i, at bit 63 - i; no two terms land on one bit, so
//    nothing carries, and the top byte holds p[0] as its highest bit.
int eightDigits(const char* p) {
  static_assert(std::endian::native == std::endian::little);
  constexpr std::uint64_t ones = 0x0101010101010101;
  std::uint64_t v = 0;
  std::memcpy(&v, p, sizeof v);
  if ((v & ~ones) != 0x30 * ones) return -1;
  return static_cast<int>(((v & ones) * 0x8040201008040201) >> 56);
}

}  // namespace

// Read from the last digit back. Digits standing eight together without blanks, as in every
// field the program itself writes, are taken eight at a time; the rest one by one.
unsigned __int128 detail::readBinaryDigits(std::initializer_list<std::string_view> parts, int maxDigits) {
  assert(maxDigits >= 0 && maxDigits <= 128);
  using Number = unsigned __int128;
  Number number = 0;
  int place = 0;  // digits read so far
  for (auto part = std::rbegin(parts); part != std::rend(parts); ++part) {
    const char* first = part->data();
    const char* it = first + part->size();
    while (it != first && place < maxDigits) {
      if (it - first >= 8 && maxDigits - place >= 8) {
        if (const int byte = eightDigits(it - 8); byte >= 0) {
          number |= static_cast<Number>(byte) << place;
          place += 8;
          it -= 8;
          continue;
        }
      }
      const char c = *--it;
      if (c == ' ') continue;
      if (c != '0') number |= static_cast<Number>(1) << place;
      ++place;
    }
  }
  return number;
}

}  // namespace bitscope
