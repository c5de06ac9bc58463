#include "dialog/cp1252.h"

#include <array>

namespace bitscope {
namespace {

// Code points of bytes 0x80 to 0x9F; the undefined bytes keep their own value.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return highControls[byte - 0x80];
  return byte;
}

char cp1252FromUnicode(char32_t codePoint) {
  // Outside 0x80-0x9F a byte stands for the code point of its own value, so
  // those code points map straight back.
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(codePoint);
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

}  // namespace bitscope
