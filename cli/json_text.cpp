// SPDX-License-Identifier: MIT
#include "json_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "textmodel/cp1252.h"

namespace bitscope::cli {

namespace {

// The range the byte after a lead byte may take (well-formed UTF-8: no
// overlong forms, no surrogates D800-DFFF, nothing above 10FFFF); the bytes
// after that are always 80-BF.
struct LeadByte {
  int length;  // 0: not a lead byte
  unsigned char secondLow, secondHigh;
};

LeadByte leadByte(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// How many of the bytes at `p` (at most `available`) continue the sequence
// begun by `lead` correctly, counting the lead byte.
int wellFormedPrefix(const unsigned char* p, std::size_t available, const LeadByte& lead) {
  int n = 1;
  while (n < lead.length && static_cast<std::size_t>(n) < available) {
    const unsigned char b = p[n];
    const bool ok = n == 1 ? (b >= lead.secondLow && b <= lead.secondHigh) : (b >= 0x80 && b <= 0xBF);
    if (!ok) break;
    ++n;
  }
  return n;
}

void putUtf8(OutputBuffer& out, char32_t c) {
  if (c < 0x80) {
    out.put(static_cast<char>(c));
  } else if (c < 0x800) {
    out.put(static_cast<char>(0xC0 | (c >> 6)));
    out.put(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.put(static_cast<char>(0xE0 | (c >> 12)));
    out.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.put(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void putControl(OutputBuffer& out, char32_t c) {
  constexpr std::string_view hex = "0123456789ABCDEF";
  out.put("\\u00");
  out.put(hex[(c >> 4) & 0xF]);
  out.put(hex[c & 0xF]);
}

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// Bytes that stand for themselves inside a JSON string: printable ASCII but the
// quote and the backslash.
constexpr std::array<bool, 256> plainAsciiTable = [] {
  std::array<bool, 256> table{};
  for (int b = 0x20; b < 0x7F; ++b) table[static_cast<std::size_t>(b)] = b != '"' && b != '\\';
  return table;
}();

bool plainAscii(unsigned char b) { return plainAsciiTable[b]; }

// Whether all eight bytes at p are plain ASCII, tested on the eight at once: a
// byte is zero exactly where (v - 0x01..01) & ~v has its top bit set, so a
// byte equal to c shows up in v ^ (c * 0x01..01), and a byte below 0x20 in
// v - 0x20..20 & ~v; bytes from 0x80 up (and 0x7F) are tested on their own.
bool allPlainAscii(const unsigned char* p) {
  constexpr std::uint64_t ones = 0x0101010101010101ULL;
  constexpr std::uint64_t highs = 0x8080808080808080ULL;
  std::uint64_t v = 0;
  std::memcpy(&v, p, sizeof v);
  const auto hasZero = [](std::uint64_t x) { return ((x - ones) & ~x & highs) != 0; };
  const bool below20 = ((v - 0x20 * ones) & ~v & highs) != 0;
  return (v & highs) == 0 && !below20 && !hasZero(v ^ (0x7F * ones)) && !hasZero(v ^ ('"' * ones)) &&
         !hasZero(v ^ ('\\' * ones));
}

}  // namespace

void putJsonEscaped(OutputBuffer& out, std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    // Runs of plain ASCII, the common case, are copied in one piece.
    std::size_t run = i;
    while (n - run >= 8 && allPlainAscii(p + run)) run += 8;
    while (run < n && plainAscii(p[run])) ++run;
    if (run > i) {
      out.put(bytes.substr(i, run - i));
      i = run;
      continue;
    }
    const unsigned char b = p[i];
    if (b == '"' || b == '\\') {
      out.put('\\');
      out.put(static_cast<char>(b));
      ++i;
      continue;
    }
    const LeadByte lead = leadByte(b);
    if (lead.length > 0 && wellFormedPrefix(p + i, n - i, lead) == lead.length) {
      // A well-formed sequence: its bytes are copied, unless it is a C1 control.
      const bool c1Control = b == 0xC2 && p[i + 1] < 0xA0;
      if (c1Control) {
        putControl(out, p[i + 1]);
      } else {
        out.put(bytes.substr(i, static_cast<std::size_t>(lead.length)));
      }
      i += static_cast<std::size_t>(lead.length);
      continue;
    }
    const char32_t c = cp1252ToUnicode(b);
    if (isControl(c)) {
      putControl(out, c);
    } else {
      putUtf8(out, c);
    }
    ++i;
  }
}

void putPlainJsonString(OutputBuffer& out, std::string_view text) {
  assert(std::all_of(text.begin(), text.end(),
                     [](char c) { return plainAscii(static_cast<unsigned char>(c)); }));
  out.put('"');
  out.put(text);
  out.put('"');
}

std::size_t incompleteUtf8Tail(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    const unsigned char b = p[n - back];
    if (b >= 0x80 && b <= 0xBF) continue;  // a continuation byte: look further back
    const LeadByte lead = leadByte(b);
    const bool properPrefix = lead.length > static_cast<int>(back) &&
                              wellFormedPrefix(p + n - back, back, lead) == static_cast<int>(back);
    return properPrefix ? back : 0;
  }
  return 0;
}

}  // namespace bitscope::cli
