// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "engine/format.h"
#include "engine/neighbours.h"
#include "oracle.h"

namespace bitscope {
namespace {

using test::showBits;

template <IeeeBinary T>
::testing::AssertionResult sameBits(T got, T want, const char* what, T x) {
  if (test::bitsOf(got) == test::bitsOf(want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << " of " << showBits(x) << "\n got " << showBits(got) << "\nwant " << showBits(want);
}

template <class T>
class Neighbours : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(Neighbours, Formats);

// For random finite values (subnormals and zeros included):
// - nextUp / nextDown are MPFR's next values of the format;
// - ULP is the gap from |x| to the next value above it (below it, for the largest finite);
// - Delta is the smallest value that changes |x|: |x| + Delta != |x|, while |x| plus the
//   value just below Delta gives |x| again (sums rounded by MPFR in the format);
// - X + Delta is that sum for X itself.
TYPED_TEST(Neighbours, MatchTheirDefinitionsUnderMpfr) {
  using T = TypeParam;
  std::mt19937_64 rng(777);
  const int count = (std::same_as<T, Binary128> ? 10000 : 30000) / test::sweepScale;
  const T largest = test::largestFinite<T>();
  for (int i = 0; i < count; ++i) {
    const T x = i == 0 ? largest : i == 1 ? -T(0) : test::randomPattern<T>(rng, false);
    ASSERT_TRUE(sameBits(nextUp(x), test::oracleNextUp(x), "nextUp", x));
    ASSERT_TRUE(sameBits(nextDown(x), test::oracleNextDown(x), "nextDown", x));
    const T a = test::magnitudeOf(x);
    // The difference of neighbours is exact in the format itself.
    const T gap = a == largest ? a - test::oracleNextDown(a) : test::oracleNextUp(a) - a;
    ASSERT_TRUE(sameBits(ulpOf(x), gap, "ulpOf", x));
    const T delta = deltaOf(x);
    ASSERT_TRUE(delta > 0) << showBits(x);
    const T sum = test::roundedSum(a, delta);
    ASSERT_FALSE(test::bitsOf(sum) == test::bitsOf(a)) << "|x| + Delta == |x| for " << showBits(x);
    const T smaller = test::roundedSum(a, test::oracleNextDown(delta));
    ASSERT_TRUE(sameBits(smaller, a, "|x| + (value below Delta)", x));
    ASSERT_TRUE(sameBits(plusDelta(x), test::roundedSum(x, delta), "plusDelta", x));
  }
}

// The constants are 2^emin and 2^(emin - t), exactly.
TYPED_TEST(Neighbours, SmallestNormalAndSubnormalAreExactPowers) {
  using T = TypeParam;
  test::Mp m(2);
  mpfr_set_ui_2exp(m, 1, test::Params<T>::emin, MPFR_RNDN);
  EXPECT_TRUE(sameBits(smallestNormal<T>, test::getExact<T>(m), "smallestNormal", T(0)));
  mpfr_set_ui_2exp(m, 1, test::Params<T>::emin - test::Params<T>::p + 1, MPFR_RNDN);
  EXPECT_TRUE(sameBits(smallestSubnormal<T>, test::getExact<T>(m), "smallestSubnormal", T(0)));
}

template <IeeeBinary T>
struct EdgeRow {
  T x, ulp, delta, plusDelta;
};

// Named cases: even and odd significands, the lowest binade, subnormal ULPs, both zeros.
TEST(NeighboursByHand, UlpDeltaAndXPlusDeltaOfNamedValues) {
  const float min32 = std::numeric_limits<float>::denorm_min();
  const EdgeRow<float> rows32[] = {
      {1.0f, 0x1p-23f, 0x1p-24f + 0x1p-47f, std::nextafter(1.0f, 2.0f)},
      {std::nextafter(1.0f, 2.0f), 0x1p-23f, 0x1p-24f, 1.0f + 0x1p-22f},
      {0x1p-126f, min32, min32, 0x1p-126f + min32},
      {0.0f, min32, min32, min32},
      {-0.0f, min32, min32, min32},
      {3 * min32, min32, min32, 4 * min32},
      {0x1p-110f, 0x1p-133f, 0x1p-134f + 0x1p-149f, 0x1p-110f + 0x1p-133f},
      {0x1p-103f + 0x1p-126f, 0x1p-126f, 0x1p-127f, 0x1p-103f + 0x1p-125f},
      {0x1p-90f, 0x1p-113f, 0x1p-114f + 0x1p-137f, 0x1p-90f + 0x1p-113f},
      {-1.0f, 0x1p-23f, 0x1p-24f + 0x1p-47f, -0x1.fffffep-1f},
  };
  for (const auto& r : rows32) {
    EXPECT_TRUE(sameBits(ulpOf(r.x), r.ulp, "ulpOf", r.x));
    EXPECT_TRUE(sameBits(deltaOf(r.x), r.delta, "deltaOf", r.x));
    EXPECT_TRUE(sameBits(plusDelta(r.x), r.plusDelta, "plusDelta", r.x));
  }
  const double inf = std::numeric_limits<double>::infinity();
  const double max64 = std::numeric_limits<double>::max();
  const EdgeRow<double> rows64[] = {
      {-1.0, 0x1p-52, 0x1p-53 + 0x1p-105, -0x1.fffffffffffffp-1},
      {0x1p-1022, 0x1p-1074, 0x1p-1074, 0x1p-1022 + 0x1p-1074},
      {max64, 0x1p971, 0x1p970, inf},
  };
  for (const auto& r : rows64) {
    EXPECT_TRUE(sameBits(ulpOf(r.x), r.ulp, "ulpOf", r.x));
    EXPECT_TRUE(sameBits(deltaOf(r.x), r.delta, "deltaOf", r.x));
    EXPECT_TRUE(sameBits(plusDelta(r.x), r.plusDelta, "plusDelta", r.x));
  }
  const Binary128 x128 = 0x1p-16300Q;
  EXPECT_TRUE(sameBits(ulpOf(x128), 0x1p-16412Q, "ulpOf", x128));
  EXPECT_TRUE(sameBits(deltaOf(x128), 0x1p-16413Q + 0x1p-16494Q, "deltaOf", x128));
  EXPECT_TRUE(sameBits(ulpOf(Binary128(1)), 0x1p-112Q, "ulpOf", Binary128(1)));
  // Infinities: the window never asks; the engine answers +infinity.
  EXPECT_EQ(ulpOf(-inf), inf);
  EXPECT_EQ(deltaOf(inf), inf);
  // A NaN has the subnormal spacing.
  EXPECT_EQ(deltaOf(std::numeric_limits<double>::quiet_NaN()), 0x1p-1074);
}

// The edges the random values do not reach: infinities and NaNs, and the other slots.
TEST(NeighboursByHand, EdgesOfNextUpAndNextDown) {
  const double inf = std::numeric_limits<double>::infinity();
  const double max64 = std::numeric_limits<double>::max();
  EXPECT_EQ(nextUp(inf), inf);
  EXPECT_EQ(nextDown(inf), max64);
  EXPECT_EQ(nextUp(-inf), -max64);
  EXPECT_EQ(nextDown(-inf), -inf);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(nextUp(nan)) && std::isnan(nextDown(nan)));
  const FormatValues up = nextUp(16, FormatValues{1.0f, 1.0, 1});
  EXPECT_TRUE(sameBits(up.value128, 1 + 0x1p-112Q, "nextUp", Binary128(1)));
  EXPECT_EQ(up.value64, 1.0);  // the other slots are left as they were
  EXPECT_EQ(nextUp(3, up).value128, up.value128);
}

struct NeighbourRow {
  int formatBytes;
  int item;
  bool bits;
  const char* value;
  const char* romanian;
  const char* english;
};

TEST(NeighboursByHand, NeighbourDisplayOfOne) {
  const FormatValues one{1.0f, 1.0, 1};
  const NeighbourRow rows[] = {
      {4, 4, false, "1.0000001E+00", "      Nearest, > X", "      Nearest, > X"},
      {4, 5, false, "9.9999994E-01", "      Nearest, < X", "      Nearest, < X"},
      {4, 4, true, "0_01111111_00000000000000000000001", "      Nearest > X  (S_Exp_Sig)",
       "      Nearest > X  (S_Exp_Sig)"},
      {4, 5, true, "0_01111110_11111111111111111111111", "      Nearest < X  (S_Exp_Sig)",
       "      Nearest < X  (S_Exp_Sig)"},
      {8, 4, true, "0_01111111111_...0000000000000001", "Nearest > X; Semnificand: ultimii 16 biti",
       "Nearest > X; Significand: last 16 bits"},
      {8, 5, true, "0_01111111110_...1111111111111111", "Nearest < X, Semnificand: ultimii 16 biti",
       "Nearest < X, Significand: last 16 bits"},
      {16, 4, true, "0_011111111111111_...0000000000000001", "Nearest > X; Semnificand: ultimii 16 biti",
       "Nearest > X; Significand: last 16 bits"},
      {16, 5, true, "0_011111111111110_...1111111111111111", "Nearest < X; Semnificand: ultimii 16 biti",
       "Nearest < X; Significand: last 16 bits"},
      {16, 5, false, "9.999999999999999999999999999999999D-001", "      Nearest, < X", "      Nearest, < X"},
  };
  for (const NeighbourRow& row : rows) {
    const NeighbourView view = neighbourView(row.formatBytes, one, row.item, row.bits);
    EXPECT_EQ(view.value, row.value) << row.formatBytes << " item " << row.item;
    EXPECT_EQ(view.label.romanian, row.romanian) << row.formatBytes << " item " << row.item;
    EXPECT_EQ(view.label.english, row.english) << row.formatBytes << " item " << row.item;
  }
  EXPECT_EQ(neighbourView(8, FormatValues{0, std::numeric_limits<double>::max(), 0}, 4, false).value,
            "Infinity");
  EXPECT_TRUE(neighbourView(0, one, 4, false).value.empty());
}

}  // namespace
}  // namespace bitscope
