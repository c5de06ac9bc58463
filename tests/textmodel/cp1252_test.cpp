// SPDX-License-Identifier: MIT
// Windows-1252 <-> Unicode: the published table, lossless bytes, and "?" for
// what the code page lacks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "textmodel/cp1252.h"

namespace bitscope {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(static_cast<unsigned char>(cp1252FromUnicode(cp1252ToUnicode(byte))), byte) << b;
  }
}

// The undefined bytes are C1 controls of their own value: with them the table
// is one-to-one over all 256 bytes, and no other byte lands among the C1 controls.
TEST(Cp1252, AllBytesMapToDistinctCodePoints) {
  std::set<char32_t> seen;
  std::string everyByte;
  for (int b = 0; b < 256; ++b) {
    const char32_t c = cp1252ToUnicode(static_cast<unsigned char>(b));
    EXPECT_TRUE(seen.insert(c).second)
        << "byte " << b << " repeats U+" << std::hex << static_cast<unsigned>(c);
    const bool undefinedByte = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    EXPECT_EQ(c >= 0x80 && c <= 0x9F, undefinedByte) << b;
    everyByte.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(cp1252FromUnicode(cp1252ToUnicode(everyByte)), everyByte);
}

// A file name holding any of these characters is shown with the byte that
// stands for it, the undefined bytes' controls included.
TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
  for (int b = 0x80; b < 256; ++b) {
    const char32_t c = cp1252ToUnicode(static_cast<unsigned char>(b));
    std::string utf8;
    if (c < 0x800) {
      utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    }
    EXPECT_EQ(cp1252FromUtf8(utf8), std::string(1, static_cast<char>(b))) << b;
  }
}

TEST(Cp1252, BytesMapToTheTablesCodePoints) {
  struct Row {
    unsigned char byte;
    char32_t codePoint;
  };
  const Row rows[] = {
      {0x41, U'A'},
      {0x0A, U'\n'},
      {0x80, U'\u20AC'},
      {0x8A, U'\u0160'},
      {0x8C, U'\u0152'},
      {0x91, U'\u2018'},
      {0x96, U'\u2013'},
      {0x99, U'\u2122'},
      {0x9F, U'\u0178'},
      {0xA0, U'\u00A0'},
      {0xC8, U'\u00C8'},
      {0xE9, U'\u00E9'},
      {0xFF, U'\u00FF'},
      // Undefined in the code page: kept as the control code of the same value.
      {0x81, U'\u0081'},
      {0x8D, U'\u008D'},
      {0x8F, U'\u008F'},
      {0x90, U'\u0090'},
      {0x9D, U'\u009D'},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(cp1252ToUnicode(row.byte), row.codePoint) << int(row.byte);
    EXPECT_EQ(static_cast<unsigned char>(cp1252FromUnicode(row.codePoint)), row.byte) << int(row.byte);
  }
}

TEST(Cp1252, CodePointsWithoutAByteBecomeAQuestionMark) {
  // U+0080 and U+009F are C1 controls whose bytes mean other characters.
  for (const char32_t c : {U'\u0080', U'\u009F', U'\u0100', U'\u0219', U'\u021B', U'\u0103', U'\uFFFD',
                           U'\U0001F600', char32_t{0x110000}})
    EXPECT_EQ(cp1252FromUnicode(c), cp1252Unmappable) << static_cast<unsigned long>(c);
}

TEST(Cp1252, StringsConvertCharacterByCharacter) {
  EXPECT_EQ(cp1252ToUnicode(std::string_view("a\x80 \xE9t\xE9")), U"a\u20AC \u00E9t\u00E9");
  EXPECT_EQ(cp1252FromUnicode(std::u32string_view(U"Pozi\u021Bie \u20AC5")),
            "Pozi?ie \x80"
            "5");
  EXPECT_EQ(cp1252ToUnicode(std::string_view("")), U"");
  EXPECT_EQ(cp1252ToUnicode(std::string_view("a\0b", 3)), std::u32string(U"a\0b", 3));
}

// File names as the program shows them: each character one byte, "?" for
// what Windows-1252 lacks, and a byte of no valid sequence kept as it is.
TEST(Cp1252, Utf8NamesAreShownOneByteACharacter) {
  struct Row {
    std::string_view utf8;
    std::string_view shown;
  };
  const Row rows[] = {
      {"summary.txt ", "summary.txt "},
      {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "\xE9t\xE9 \x80"},  // été €
      {"\xC8\x99tiin\xC8\x9B"
       "e",
       "?tiin?e"},                       // științe
      {"\xF0\x9F\x93\x84", "?"},         // an emoji
      {"a\xE9z", "a\xE9z"},              // a Latin-1 byte
      {"\xC3", "\xC3"},                  // cut short
      {"\xC0\xAF", "\xC0\xAF"},          // overlong "/"
      {"\xED\xA0\x80", "\xED\xA0\x80"},  // a surrogate
  };
  for (const Row& row : rows) EXPECT_EQ(cp1252FromUtf8(row.utf8), row.shown) << row.utf8;
}

}  // namespace
}  // namespace bitscope
