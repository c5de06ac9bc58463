// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/bitfields.h"
#include "engine/decimal_text.h"
#include "engine/views.h"
#include "patterns.h"

namespace bitscope {
namespace {

using test::showBits;

template <class T>
class EncodingTyped : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(EncodingTyped, Formats);

// The storage in base 16 written by printf, 64 bits at a time.
template <IeeeBinary T>
std::string printfHex(T x) {
  const auto bits = test::bitsOf(x);
  char text[40];
  if constexpr (test::Params<T>::k == 128) {
    std::snprintf(text, sizeof text, "%016llX%016llX", static_cast<unsigned long long>(bits >> 64),
                  static_cast<unsigned long long>(bits));
  } else if constexpr (test::Params<T>::k == 64) {
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(bits));
  } else if constexpr (test::Params<T>::k == 32) {
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(bits));
  } else {
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(bits));
  }
  return text;
}

TYPED_TEST(EncodingTyped, HexAgreesWithPrintf) {
  using T = TypeParam;
  std::mt19937_64 rng(77);
  std::string reused = "not yet a hex text, and longer than any of them";
  for (int i = 0; i < 5000; ++i) {
    const T x = i == 0 ? -T(0) : test::randomPattern<T>(rng, true);
    const std::string want = printfHex(x);
    ASSERT_EQ(encodeHex(x), want) << showBits(x);
    encodeHex(x, reused);
    ASSERT_EQ(reused, want) << showBits(x);
  }
  EXPECT_EQ(encodeHex(1.0f), "3F800000");
  EXPECT_EQ(encodeHex(-0.1), "BFB999999999999A");
}

// The reading rule written plainly: blanks dropped, the last k characters kept, '0' is a
// 0 digit and any other character a 1, digits right-aligned.
template <IeeeBinary T>
typename test::Params<T>::Bits plainRead(const std::string& text) {
  constexpr auto k = static_cast<std::size_t>(test::Params<T>::k);
  std::string digits;
  for (const char c : text)
    if (c != ' ') digits += c;
  if (digits.size() > k) digits.erase(0, digits.size() - k);
  using Bits = typename test::Params<T>::Bits;
  Bits bits = 0;
  for (const char c : digits) bits = static_cast<Bits>((bits << 1) | (c != '0' ? 1U : 0U));
  return bits;
}

// Fields typed with blanks and stray characters anywhere, too few or too many digits: the
// decoder reads them exactly as the plain rule does, whether they stand in one text or in
// three fields.
TYPED_TEST(EncodingTyped, DecodingFollowsTheReadingRuleWhateverTheBlanks) {
  using T = TypeParam;
  constexpr int k = test::Params<T>::k;
  std::mt19937_64 rng(4242);
  const auto randomText = [&](int length) {
    std::string text;
    const unsigned blankRate = 1 + static_cast<unsigned>(rng() % 3);  // in 16ths
    for (int i = 0; i < length; ++i) {
      const unsigned r = static_cast<unsigned>(rng() % 16);
      text += r < blankRate ? ' ' : r == 15 ? 'x' : static_cast<char>('0' + rng() % 2);
    }
    return text;
  };
  for (int i = 0; i < 20000 / test::sweepScale; ++i) {
    const BitFields fields{randomText(static_cast<int>(rng() % 3)), randomText(static_cast<int>(rng() % 24)),
                           randomText(static_cast<int>(rng() % (k + 20)))};
    const std::string whole = fields.S + fields.E + fields.T;
    const auto want = plainRead<T>(whole);
    const T fromFields = decodeBits<T>(fields);
    ASSERT_TRUE(test::bitsOf(fromFields) == want)
        << "S \"" << fields.S << "\" E \"" << fields.E << "\" T \"" << fields.T << "\"\n got "
        << showBits(fromFields) << "\nwant " << showBits(test::fromBits<T>(want));
    ASSERT_TRUE(test::bitsOf(decodeBitText<T>(whole)) == want) << '"' << whole << '"';
  }
}

// A field longer than its box counts only its last digits, as many as the box holds: the
// exponent reads the last w, the significand the last t.
TEST(Encoding, OverlongFieldsCountOnlyTheirLastDigits) {
  const BitFields wideE{"0", std::string(9, '1') + "10000000000", std::string(52, '0')};
  const Classification flags64 = classifyBits(binary64Spec, wideE);
  EXPECT_EQ(exponentView(8, wideE, flags64, Language::English).value, "1");  // 1024 - bias
  const BitFields wideT{"0", "01111111", std::string(40, '1')};
  const Classification flags32 = classifyBits(binary32Spec, wideT);
  EXPECT_EQ(significandView(4, wideT, flags32, Language::English).value, "1.9999999E+00");
}

// The forms that write into a caller's strings give the texts of fresh strings, whatever
// those strings held before (longer texts, other formats).
TYPED_TEST(EncodingTyped, ReusedStringsHoldOnlyTheNewText) {
  using T = TypeParam;
  std::mt19937_64 rng(99);
  BitFields fields{"stale sign", std::string(40, 'e'), std::string(150, 't')};
  std::string text(5000, '#');
  for (int i = 0; i < 3000 / test::sweepScale; ++i) {
    const T x = test::randomPattern<T>(rng, true);
    encodeBits(x, fields);
    ASSERT_EQ(fields.S + " " + fields.E + " " + fields.T, showBits(x));
    for (const PrintStyle style : {PrintStyle::XDisplay, PrintStyle::NeighbourDecimal, PrintStyle::DeltaStyle,
                                   PrintStyle::Significand, PrintStyle::ExponentInteger}) {
      formatValue(x, style, text);
      ASSERT_EQ(text, formatValue(x, style)) << showBits(x);
    }
  }
  const int formatBytes = static_cast<int>(sizeof(T));
  for (const SpecialText special : {SpecialText{true, false, '1', '0'}, SpecialText{false, true, '0', '1'}}) {
    showSpecialEncoding(formatBytes, special, fields);
    EXPECT_EQ(fields, showSpecialEncoding(formatBytes, special));
  }
  showSpecialEncoding(5, SpecialText{true, false, '0', '0'}, fields);  // no such format
  EXPECT_EQ(fields, BitFields{});
  formatInteger(-16382, text);
  EXPECT_EQ(text, "-16382");
}

}  // namespace
}  // namespace bitscope
