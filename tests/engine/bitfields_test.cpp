// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "engine/bitfields.h"
#include "patterns.h"

namespace bitscope {
namespace {

using test::showBits;

template <class T>
class BitFieldsTyped : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(BitFieldsTyped, Formats);

// Encoding agrees with std::bitset's digits and decoding restores the identical bits, for
// random patterns including subnormals, infinities, NaN payloads and both zeros.
TYPED_TEST(BitFieldsTyped, EncodeMatchesBitsetAndDecodeRestoresEveryBit) {
  using T = TypeParam;
  std::mt19937_64 rng(20240611);
  const int count = 20000 / test::sweepScale;
  for (int i = 0; i < count; ++i) {
    const T x = i < 2 ? (i == 0 ? T(0) : -T(0)) : test::randomPattern<T>(rng, true);
    const BitFields fields = encodeBits(x);
    const std::string expected = showBits(x);
    ASSERT_EQ(fields.S + " " + fields.E + " " + fields.T, expected);
    const T back = decodeBits<T>(fields);
    ASSERT_TRUE(test::bitsOf(back) == test::bitsOf(x))
        << "encoded " << expected << "\ndecoded " << showBits(back);
  }
}

struct DecodeRow {
  const char *s, *e, *t;
  std::uint32_t expected;
};

// Blanks are skipped and the remaining digits right-aligned; other characters count as 1.
TEST(BitFields, DecodeSkipsBlanksAndRightAlignsTheDigits) {
  const std::string zeros23(23, '0');
  const DecodeRow rows[] = {
      {"0", "01111111", zeros23.c_str(), 0x3f800000},  // 1.0
      {"0", "1111111", zeros23.c_str(), 0x3f800000},   // one exponent bit deleted: 31 digits
      {"0", "1111111 ", zeros23.c_str(), 0x3f800000},  // the same, blank-padded to the width
      {" ", "        ", "                       ", 0},     {"", "", "", 0},
      {"1", "10000000", "1                      ", 0x301},  // "1100000001" right-aligned
      {"1", "1000 0000", zeros23.c_str(), 0xc0000000},      // a blank inside: -2.0
      {"0", "0111111x", zeros23.c_str(), 0x3f800000},       // a stray character reads as "1"
  };
  for (const DecodeRow& row : rows) {
    const float got = decodeBits<Binary32>(BitFields{row.s, row.e, row.t});
    EXPECT_EQ(test::bitsOf(got), row.expected)
        << "S=\"" << row.s << "\" E=\"" << row.e << "\" T=\"" << row.t << "\"\n got " << showBits(got)
        << "\nwant " << showBits(test::fromBits<float>(row.expected));
  }
  // Every stored bit of a 128-bit decode lands where it belongs, T2's last included.
  const Binary128 tiny =
      decodeBits<Binary128>(BitFields{"0", std::string(15, '0'), std::string(111, '0') + "1"});
  EXPECT_EQ(test::bitsOf(tiny), 1U);
  FormatValues slots;
  decodeBits(7, BitFields{"1", "1", "1"}, slots);  // no such format: nothing happens
  EXPECT_EQ(test::bitsOf(slots.value32), 0U);
}

struct ClassifyRow {
  float value;
  Classification flags;  // zero sub inf nan finite nonzeroFinite topOnes topZeros
  const char* english;
};

TEST(BitFields, ClassifiesAndDescribesTheKindsOfDatum) {
  const float inf = std::numeric_limits<float>::infinity();
  const ClassifyRow rows[] = {
      {-0.0f, {true, false, false, false, true, false, false, true}, "Signed Zero"},
      {std::numeric_limits<float>::denorm_min(),
       {false, true, false, false, true, true, false, true},
       "Denormalized Number"},
      {std::numeric_limits<float>::min(),
       {false, false, false, false, true, true, false, true},
       "Normalized Number: Real(4)"},
      {std::numeric_limits<float>::max(),
       {false, false, false, false, true, true, true, false},
       "Normalized Number: Real(4)"},
      {-inf, {false, false, true, false, false, false, true, false}, "Signed Infinity"},
      {test::fromBits<float>(0x7f800001),
       {false, false, false, true, false, false, true, false},
       "Not-a-Number"},
      {1.0f, {false, false, false, false, true, true, false, false}, "Normalized Number: Real(4)"},
  };
  for (const ClassifyRow& row : rows) {
    const Classification got = classifyBits(binary32Spec, encodeBits(row.value));
    EXPECT_EQ(got, row.flags) << showBits(row.value);
    const BilingualText text = describeDataType(4, got);
    EXPECT_EQ(text.english, (row.english + std::string(30, ' ')).substr(0, 30));
    EXPECT_EQ(text.romanian.size(), 30U);
  }
  Classification normal;
  EXPECT_EQ(describeDataType(16, normal).english, "Normalized Number: Real(16)   ");
  EXPECT_EQ(describeDataType(16, normal).romanian, "Numar normalizat: Real(16)    ");
  normal.isNaN = true;
  EXPECT_EQ(describeDataType(8, normal).romanian, "Non-Numar" + std::string(21, ' '));
}

TEST(BitFields, BlanksAndShortFieldsAreNeitherAllZerosNorAllOnes) {
  const std::string zeros112(112, '0');
  // A NaN whose only set bit is the last of T2: T is tested over all 112 characters.
  EXPECT_TRUE(classifyBits(15, std::string(15, '1'), 112, zeros112.substr(1) + "1").isNaN);
  const Classification blankE = classifyBits(8, "0000000 ", 23, std::string(23, '0'));
  EXPECT_FALSE(blankE.isZero || blankE.isSubnormal);
  EXPECT_TRUE(blankE.expTopZeros);  // the first w - 1 characters are all "0"
  const Classification shortT = classifyBits(8, "11111111", 23, std::string(22, '0'));
  EXPECT_TRUE(shortT.isNaN);  // a missing character is not a "0"
  EXPECT_TRUE(classifyBits(8, "00000001", 23, std::string(23, '0')).expTopZeros);
  EXPECT_TRUE(classifyBits(8, "11111110", 23, std::string(23, '0')).expTopOnes);
}

TEST(BitFields, LowBitTellsAnEvenSignificand) {
  EXPECT_TRUE(lowBitIsZero(1.0f));
  EXPECT_FALSE(lowBitIsZero(std::numeric_limits<float>::denorm_min()));
  EXPECT_FALSE(lowBitIsZero(std::nextafter(1.0, 2.0)));
  EXPECT_FALSE(lowBitIsZero(test::fromBits<Binary128>(1)));
  EXPECT_TRUE(lowBitIsZero(test::fromBits<Binary128>(static_cast<unsigned __int128>(1) << 64)));
  FormatValues values;
  values.value64 = std::nextafter(1.0, 2.0);
  EXPECT_FALSE(lowBitIsZero(8, values));
  EXPECT_TRUE(lowBitIsZero(4, values));
}

}  // namespace
}  // namespace bitscope
