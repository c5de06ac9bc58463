// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "engine/decimal_text.h"
#include "engine/neighbours.h"
#include "oracle.h"

namespace bitscope {
namespace {

using test::showBits;

// The free-form text rewritten for MPFR: no terminator, no blanks, letter 'e'.
std::string forMpfr(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  text = text.substr(0, text.find_first_of(" ,/"));
  for (char& c : text)
    if (std::string_view("EeDdQq").find(c) != std::string_view::npos) c = 'e';
  return text;
}

// Reads text with the engine and with MPFR and compares outcome and bits.
template <IeeeBinary T>
::testing::AssertionResult readsLikeMpfr(const std::string& text) {
  bool overflow = false;
  const T expected = test::roundDecimal<T>(forMpfr(text), overflow);
  const T sentinel = T(7);
  T got = sentinel;
  const ReadOutcome outcome = readDecimal(text, got);
  if (overflow) {
    if (outcome == ReadOutcome::Invalid && test::bitsOf(got) == test::bitsOf(sentinel))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << test::Params<T>::name << " \"" << text << "\" overflows: want Invalid, got "
           << static_cast<int>(outcome) << " " << showBits(got);
  }
  if (outcome == ReadOutcome::Ok && test::bitsOf(got) == test::bitsOf(expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << test::Params<T>::name << " \"" << text << "\"\n got " << static_cast<int>(outcome) << " "
         << showBits(got) << "\nwant " << showBits(expected);
}

// Decimal magnitudes spanning each format, a little beyond both ends.
template <IeeeBinary T>
constexpr int lowestMagnitude = std::same_as<T, Binary32>   ? -50
                                : std::same_as<T, Binary64> ? -330
                                                            : -4970;
template <IeeeBinary T>
constexpr int highestMagnitude = std::same_as<T, Binary32>   ? 40
                                 : std::same_as<T, Binary64> ? 310
                                                             : 4935;

// A random free-form text of at most 42 characters: sign, up to 40 significant digits with
// or without a point, an exponent with any of the six letters, sometimes a terminator.
template <IeeeBinary T>
std::string randomDecimal(std::mt19937_64& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string text = std::string(static_cast<std::size_t>(pick(3) == 0), ' ');
  text += std::string("  +-").substr(static_cast<std::size_t>(pick(4)), 1);
  if (text.back() == ' ') text.pop_back();
  const int magnitude = lowestMagnitude<T> + pick(highestMagnitude<T> - lowestMagnitude<T> + 1);
  int digits = 1 + pick(40);
  digits = std::min(digits, 42 - static_cast<int>(text.size()) - 10);  // room for the rest
  std::string mantissa;
  for (int i = 0; i < digits; ++i) mantissa += static_cast<char>('0' + (i == 0 ? 1 + pick(9) : pick(10)));
  const int point = pick(digits + 1);  // digits before the point
  if (pick(4) != 0)
    mantissa.insert(static_cast<std::size_t>(point), 1, '.');
  else if (point != digits)
    mantissa.insert(static_cast<std::size_t>(digits), 1, '.');
  const int pointPlace =
      mantissa.find('.') == std::string::npos ? digits : static_cast<int>(mantissa.find('.'));
  const int exponent = magnitude - (pointPlace - 1);
  text += mantissa + "EeDdQq"[pick(6)] + std::to_string(exponent);
  if (pick(8) == 0) text += std::string(" ,/").substr(static_cast<std::size_t>(pick(3)), 1) + "9";
  return text;
}

template <class T>
class DecimalRead : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(DecimalRead, Formats);

TYPED_TEST(DecimalRead, RandomTextsRoundLikeMpfr) {
  using T = TypeParam;
  std::mt19937_64 rng(1234567);
  const int count = (std::same_as<T, Binary128> ? 60000 : 150000) / test::sweepScale;
  int failures = 0;
  for (int i = 0; i < count && failures < 10; ++i) {
    const std::string text = randomDecimal<T>(rng);
    ASSERT_LE(text.size(), xTextLength);
    const auto result = readsLikeMpfr<T>(text);
    if (!result) ++failures;
    EXPECT_TRUE(result);
  }
}

// Exact midpoints between neighbours, written in full: ties go to the even significand.
TYPED_TEST(DecimalRead, ExactMidpointsRoundToTheEvenNeighbour) {
  using T = TypeParam;
  constexpr int p = test::Params<T>::p;
  std::mt19937_64 rng(99);
  // Binades whose midpoints have few enough decimal digits to be written in full.
  // The 16-bit formats: every binade below the top one.
  const int low = std::same_as<T, Binary128>  ? p - 3
                  : std::same_as<T, Binary64> ? 0
                  : SmallIeeeBinary<T>        ? test::Params<T>::emin
                                              : -8;
  const int high = std::same_as<T, Binary128>  ? p + 11
                   : std::same_as<T, Binary64> ? 80
                   : SmallIeeeBinary<T>        ? test::Params<T>::emax
                                               : 100;
  const int count = 20000 / test::sweepScale;
  int written = 0;
  for (int i = 0; i < count; ++i) {
    using Bits = typename test::Params<T>::Bits;
    constexpr int t = p - 1;
    const int binade = low + static_cast<int>(rng() % static_cast<unsigned>(high - low));
    Bits bits = static_cast<Bits>(rng());
    if constexpr (t > 64) bits ^= static_cast<Bits>(rng()) << (t - 60);
    bits = (bits & ((Bits(1) << t) - 1)) | (static_cast<Bits>(binade + test::Params<T>::emax) << t);
    const T below = test::fromBits<T>(bits);
    const T above = test::fromBits<T>(bits + 1);
    // The midpoint (below + above) / 2 is exact at p + 1 bits; printed with all the
    // places its last bit 2^(binade - p) needs, it is written exactly.
    test::Mp mid(p + 1), upper(p);
    test::setExact(mid, below);
    test::setExact(upper, above);
    mpfr_add(mid, mid, upper, MPFR_RNDN);
    mpfr_div_2ui(mid, mid, 1, MPFR_RNDN);
    char* text = nullptr;
    mpfr_asprintf(&text, "%.*Rf", std::max(0, p - binade), mid.get());
    std::string decimal = text;
    mpfr_free_str(text);
    if (decimal.find('.') != std::string::npos) decimal.erase(decimal.find_last_not_of('0') + 1);
    if (decimal.size() > xTextLength) continue;
    ++written;
    const T even = lowBitIsZero(below) ? below : above;
    T got = 0;
    ASSERT_EQ(readDecimal(decimal, got), ReadOutcome::Ok) << decimal;
    ASSERT_EQ(test::bitsOf(got), test::bitsOf(even))
        << decimal << "\n got " << showBits(got) << "\nwant " << showBits(even);
    ASSERT_TRUE(readsLikeMpfr<T>(decimal));
  }
  EXPECT_GT(written, count / 4);  // most midpoints were short enough to be tested
}

// As many significant digits of v as a 42-character text holds, rounded down or up:
// "<sign><digits>e<exponent>".
std::string longestText(mpfr_ptr v, mpfr_rnd_t mode, const std::string& sign) {
  for (std::size_t n = 40;; --n) {
    mpfr_exp_t exponent = 0;
    char* digits = mpfr_get_str(nullptr, &exponent, 10, n, v, mode);
    const std::string text = sign + digits + "e" + std::to_string(exponent - static_cast<long>(n));
    mpfr_free_str(digits);
    if (text.size() <= xTextLength) return text;
  }
}

// The longest text just below v (rounded down from v minus a nudge far smaller than any
// digit we can write), or just above it.
std::string textBeside(mpfr_ptr v, int direction, const std::string& sign) {
  test::Mp nudged(mpfr_get_prec(v) + 200), tiny(2);
  mpfr_set_ui_2exp(tiny, 1, mpfr_get_exp(v) - mpfr_get_prec(v) - 150, MPFR_RNDN);
  if (direction < 0)
    mpfr_sub(nudged, v, tiny, MPFR_RNDN);
  else
    mpfr_add(nudged, v, tiny, MPFR_RNDN);
  return longestText(nudged, direction < 0 ? MPFR_RNDD : MPFR_RNDU, sign);
}

// The overflow edge (the largest finite value and the midpoint to the next binade, which
// rounds up to the even 2^(emax+1) and overflows) and the underflow edge (half the
// smallest subnormal, which ties to the even zero).
TYPED_TEST(DecimalRead, OverflowAndUnderflowEdges) {
  using T = TypeParam;
  constexpr int p = test::Params<T>::p, emax = test::Params<T>::emax, emin = test::Params<T>::emin;
  test::Mp edge(p + 1);
  mpfr_set_ui_2exp(edge, 1, emax + 1, MPFR_RNDN);
  test::Mp halfUlp(2);
  mpfr_set_ui_2exp(halfUlp, 1, emax - p, MPFR_RNDN);
  mpfr_sub(edge, edge, halfUlp, MPFR_RNDN);  // 2^(emax+1) - 2^(emax-p): the midpoint
  test::Mp half(2);
  mpfr_set_ui_2exp(half, 1, emin - p, MPFR_RNDN);  // half the smallest subnormal
  const T largest = test::largestFinite<T>();
  for (const std::string sign : {"", "-"}) {
    const bool negative = !sign.empty();
    T got = 0;
    const std::string below = textBeside(edge, -1, sign);
    EXPECT_EQ(readDecimal(below, got), ReadOutcome::Ok) << below;
    if (!std::same_as<T, Binary128>) {  // 42 characters carry too few digits for Binary128
      EXPECT_EQ(test::bitsOf(got), test::bitsOf(negative ? -largest : largest)) << below;
    }
    const std::string above = textBeside(edge, 1, sign);
    EXPECT_EQ(readDecimal(above, got), ReadOutcome::Invalid) << above;
    EXPECT_TRUE(readsLikeMpfr<T>(below));
    EXPECT_TRUE(readsLikeMpfr<T>(above));

    const std::string justBelow = textBeside(half, -1, sign);
    got = 7;
    EXPECT_EQ(readDecimal(justBelow, got), ReadOutcome::Ok) << justBelow;
    EXPECT_EQ(test::bitsOf(got), test::bitsOf(negative ? -T(0) : T(0))) << justBelow;
    const std::string justAbove = textBeside(half, 1, sign);
    EXPECT_EQ(readDecimal(justAbove, got), ReadOutcome::Ok) << justAbove;
    EXPECT_EQ(test::bitsOf(negative ? -got : got), 1U) << justAbove;
    EXPECT_TRUE(readsLikeMpfr<T>(justBelow));
    EXPECT_TRUE(readsLikeMpfr<T>(justAbove));
  }
  // Binary32's midpoint has only 39 digits: written exactly, it ties to even and overflows.
  float f = 7;
  EXPECT_EQ(readDecimal("340282356779733661637539395458142568448", f), ReadOutcome::Invalid);
  EXPECT_EQ(readDecimal("340282356779733661637539395458142568447", f), ReadOutcome::Ok);
  EXPECT_EQ(f, std::numeric_limits<float>::max());
}

struct ScanRow {
  const char* text;
  ReadOutcome outcome;
  double value;  // when Ok
};

// The free-form rules, in Binary64; a text that gives no value leaves the slot as it was.
TEST(DecimalReadScanner, AcceptsTheFreeFormAndRejectsTheRest) {
  using enum ReadOutcome;
  const ScanRow rows[] = {
      {"1.5 abc", Ok, 1.5},
      {"1.5abc", Invalid, 0},
      {"1e", Invalid, 0},
      {"1.5e+", Invalid, 0},
      {".", Invalid, 0},
      {"+", Invalid, 0},
      {"-", Invalid, 0},
      {"e5", Invalid, 0},
      {"1e5.", Invalid, 0},
      {"1..5", Invalid, 0},
      {"--1", Invalid, 0},
      {"1 .5", Ok, 1},
      {"1,5", Ok, 1},
      {"2/3", Ok, 2},
      {" ,5", NoValue, 0},
      {"/", NoValue, 0},
      {"", NoValue, 0},
      {"      ", NoValue, 0},
      {"+,", Invalid, 0},
      {"5.", Ok, 5},
      {".5", Ok, 0.5},
      {"  -5", Ok, -5},
      {"+2.5D1", Ok, 25},
      {"1q-1", Ok, 0.1},
      {"1Q+2", Ok, 100},
      {"-0", Ok, -0.0},
      {"0e999999999999999999", Ok, 0},
      {"1e39", Ok, 1e39},
      {"1e99999999999999999999", Invalid, 0},
      {"-1e-99999999999999999999", Ok, -0.0},
      {"1\t", Invalid, 0},
      {"Inf", Invalid, 0},
      {"nAN", Invalid, 0},
      // Only the first 42 characters count: the 43rd would make it invalid.
      {"100000000000000000000000000000000000000000x", Ok, 1e41},
  };
  for (const ScanRow& row : rows) {
    double got = 7;
    EXPECT_EQ(readDecimal(row.text, got), row.outcome) << '"' << row.text << '"';
    const double want = row.outcome == Ok ? row.value : 7;
    EXPECT_EQ(test::bitsOf(got), test::bitsOf(want))
        << '"' << row.text << "\"\n got " << showBits(got) << "\nwant " << showBits(want);
  }
}

// Hand-checked encodings, and the same text in the three formats.
TEST(DecimalReadScanner, ReadsStraightIntoTheCurrentFormat) {
  FormatValues v;
  ASSERT_EQ(readDecimal(4, "0.1", v), ReadOutcome::Ok);
  ASSERT_EQ(readDecimal(8, "0.1", v), ReadOutcome::Ok);
  ASSERT_EQ(readDecimal(16, "0.1", v), ReadOutcome::Ok);
  EXPECT_EQ(test::bitsOf(v.value32), 0x3dcccccdU);
  EXPECT_EQ(test::bitsOf(v.value64), 0x3fb999999999999aU);
  EXPECT_EQ(static_cast<std::uint64_t>(test::bitsOf(v.value128) >> 64), 0x3ffb999999999999U);
  EXPECT_EQ(static_cast<std::uint64_t>(test::bitsOf(v.value128)), 0x999999999999999aU);
  EXPECT_EQ(readDecimal(4, "1e39", v), ReadOutcome::Invalid);
  EXPECT_EQ(test::bitsOf(v.value32), 0x3dcccccdU);  // unchanged
  ASSERT_EQ(readDecimal(4, "1e-46", v), ReadOutcome::Ok);
  EXPECT_EQ(test::bitsOf(v.value32), 0U);
  ASSERT_EQ(readDecimal(4, "1e-40", v), ReadOutcome::Ok);
  EXPECT_EQ(test::bitsOf(v.value32), 0x116c2U);              // a subnormal
  EXPECT_EQ(readDecimal(12, "1", v), ReadOutcome::NoValue);  // no such format
  EXPECT_EQ(test::bitsOf(v.value32), 0x116c2U);
}

// Reading through a wider format first would round twice. Each text lies just above a
// midpoint of the 16-bit format, by far less than half a Binary32 ULP: Binary32 rounds it
// onto the midpoint, a tie that then goes to the even neighbour below, while the number
// itself is nearer the neighbour above.
TEST(DecimalReadSixteenBits, RoundsStraightIntoTheFormatNotThroughBinary32) {
  struct Row {
    std::string text;
    std::uint16_t binary16, bfloat16;
  };
  // 1 + 2^-11 is Binary16's midpoint above 1, 1 + 2^-8 BFloat16's.
  for (const Row& row : {Row{"1.000488281251", 0x3C01, 0x3F80}, Row{"1.003906250001", 0x3C04, 0x3F81},
                         Row{"1.00048828125", 0x3C00, 0x3F80}, Row{"-65519.99", 0xFBFF, 0xC780}}) {
    Binary16 half{};
    BFloat16 brain{};
    ASSERT_EQ(readDecimal(row.text, half), ReadOutcome::Ok);
    ASSERT_EQ(readDecimal(row.text, brain), ReadOutcome::Ok);
    EXPECT_EQ(test::bitsOf(half), row.binary16) << row.text << " " << showBits(half);
    EXPECT_EQ(test::bitsOf(brain), row.bfloat16) << row.text << " " << showBits(brain);
    EXPECT_TRUE(readsLikeMpfr<Binary16>(row.text));
    EXPECT_TRUE(readsLikeMpfr<BFloat16>(row.text));
  }
  // The same texts through Binary32 land on the even neighbour: a different encoding.
  float wide = 0;
  ASSERT_EQ(readDecimal("1.000488281251", wide), ReadOutcome::Ok);
  EXPECT_EQ(test::bitsOf(Binary16(static_cast<double>(wide))), 0x3C00);
  ASSERT_EQ(readDecimal("1.003906250001", wide), ReadOutcome::Ok);
  EXPECT_EQ(test::bitsOf(BFloat16(static_cast<double>(wide))), 0x3F80);
  // Binary16 overflows at 65520 (the largest finite value 65504 plus half an ULP).
  Binary16 half{};
  EXPECT_EQ(readDecimal("65520", half), ReadOutcome::Invalid);
}

}  // namespace
}  // namespace bitscope
