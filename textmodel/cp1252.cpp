// SPDX-License-Identifier: MIT
#include "textmodel/cp1252.h"

#include <array>
#include <utility>

namespace bitscope {
namespace {

// Code points of bytes 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// The code point of the UTF-8 sequence at the start of bytes and its length;
// length 0 when no valid sequence starts there (stray continuation byte,
// truncated, overlong, a surrogate or beyond U+10FFFF).
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return {0, 0};
  }
  if (bytes.size() < length) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
  return {code, length};
}

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return highControls[byte - 0x80];
  return byte;
}

char cp1252FromUnicode(char32_t codePoint) {
  // Outside 0x80-0x9F a byte stands for the code point of its own value, so
  // those code points map straight back.
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
  for (std::size_t i = 0; i < highControls.size(); ++i)
    if (highControls[i] == codePoint) return static_cast<char>(0x80 + i);
  return cp1252Unmappable;
}

std::u32string cp1252ToUnicode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (const char c : text) out.push_back(cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string cp1252FromUnicode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) out.push_back(cp1252FromUnicode(c));
  return out;
}

std::string cp1252FromUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const auto [code, length] = decodeUtf8(bytes);
    out.push_back(length == 0 ? bytes.front() : cp1252FromUnicode(code));
    bytes.remove_prefix(length == 0 ? 1 : length);
  }
  return out;
}

}  // namespace bitscope
