// SPDX-License-Identifier: MIT
// Exact values, conversion errors and rounding intervals, each against MPFR / GMP computing
// the same quantity independently, and the ends of every interval read back through the
// decimal reader.
#include <gtest/gtest.h>

#include <string>

#include "engine/decimal_integer.h"
#include "engine/decimal_scanner.h"
#include "engine/exact_value.h"
#include "oracle.h"

namespace bitscope {
namespace {

using test::Mp;
using test::showBits;

// MPFR's decimal digits of m as an ExactDecimal: mpfr_get_str with `digits` digits is exact
// once that many suffice, and then only trailing zeros follow the significant ones.
ExactDecimal mpfrDecimal(mpfr_ptr m, std::size_t digits) {
  if (mpfr_zero_p(m)) return ExactDecimal{mpfr_signbit(m) != 0, {}, 0};
  mpfr_exp_t exponent = 0;
  char* text = mpfr_get_str(nullptr, &exponent, 10, digits, m, MPFR_RNDN);
  std::string s(text);
  mpfr_free_str(text);
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  // 0.d1d2...dn * 10^exponent: the last digit weighs 10^(exponent - n).
  return exactFromDigits(negative, s, exponent - static_cast<std::int64_t>(s.size()));
}

// Compares showing the text and the bits of the value.
template <IeeeBinary T>
::testing::AssertionResult sameDecimal(const ExactDecimal& got, const ExactDecimal& want, T x,
                                       const char* what) {
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << " of " << test::Params<T>::name << " " << showBits(x) << "\n got "
         << decimalText(got).substr(0, 200) << "\nwant " << decimalText(want).substr(0, 200);
}

// The exact value from MPFR at the format's precision (every value of T is exact there).
template <IeeeBinary T>
ExactDecimal mpfrExactValue(T x, std::size_t digits) {
  Mp m(test::Params<T>::p);
  test::setExact(m, x);
  if (x == 0) mpfr_setsign(m, m, test::bitsOf(x) >> (test::Params<T>::k - 1) != 0, MPFR_RNDN);
  return mpfrDecimal(m, digits);
}

// The values every sweep starts with: zeros, the subnormal edges, the normal edges, powers
// of two and their neighbours, the largest finite value.
template <IeeeBinary T>
std::vector<T> edgeValues() {
  const T sub = smallestSubnormal<T>, normal = smallestNormal<T>, top = test::largestFinite<T>();
  std::vector<T> values{T(0),
                        -T(0),
                        sub,
                        T(2) * sub,
                        test::oracleNextDown(normal),
                        normal,
                        test::oracleNextUp(normal),
                        T(1),
                        test::oracleNextDown(T(1)),
                        test::oracleNextUp(T(1)),
                        T(0.1),
                        T(3),
                        top,
                        test::oracleNextDown(top)};
  for (std::size_t i = 0, n = values.size(); i < n; ++i) values.push_back(-values[i]);
  return values;
}

template <IeeeBinary T>
std::vector<T> sweepValues(int count) {
  std::vector<T> values = edgeValues<T>();
  std::mt19937_64 rng(17);
  for (int i = 0; i < count; ++i) values.push_back(test::randomPattern<T>(rng, false));
  return values;
}

template <class T>
class ExactValue : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(ExactValue, Formats);

TYPED_TEST(ExactValue, EveryDigitAgreesWithMpfr) {
  using T = TypeParam;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  for (const T x : sweepValues<T>((std::same_as<T, Binary128> ? 150 : 1500) / test::sweepScale)) {
    const ExactDecimal got = exactValue(f, encodingBitsOf(x));
    ASSERT_TRUE(sameDecimal(got, mpfrExactValue(x, got.digits.size() + 5), x, "exact value"));
  }
}

// The ends of the interval are the midpoints to the neighbours (the overflow threshold
// above the largest finite value, half the smallest subnormal around zero), computed by
// MPFR; each end reads back into x exactly when it is called included, else into the
// neighbour beyond it (or overflows).
TYPED_TEST(ExactValue, IntervalEndsAreTheMidpointsAndReadAsIncluded) {
  using T = TypeParam;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  const T top = test::largestFinite<T>();
  for (const T x : sweepValues<T>((std::same_as<T, Binary128> ? 60 : 600) / test::sweepScale)) {
    const RoundingInterval interval = roundingInterval(f, encodingBitsOf(x));
    const T magnitude = test::magnitudeOf(x);
    const bool negative = test::bitsOf(x) != test::bitsOf(magnitude);
    const T above = magnitude == top ? top : test::oracleNextUp(magnitude);
    const T below = magnitude == 0 ? -smallestSubnormal<T> : test::oracleNextDown(magnitude);
    // The midpoints of |x| with its neighbours. Above the largest finite value the
    // overflow threshold lies as far above it as the midpoint below lies below it.
    Mp upper(100000), lower(100000), a(test::Params<T>::p), b(test::Params<T>::p);
    test::setExact(a, magnitude);
    test::setExact(b, below);
    mpfr_add(lower, a, b, MPFR_RNDN);
    mpfr_div_2ui(lower, lower, 1, MPFR_RNDN);
    if (magnitude == top) {
      mpfr_mul_2ui(upper, a, 1, MPFR_RNDN);
      mpfr_sub(upper, upper, lower, MPFR_RNDN);
    } else {
      test::setExact(b, above);
      mpfr_add(upper, a, b, MPFR_RNDN);
      mpfr_div_2ui(upper, upper, 1, MPFR_RNDN);
    }
    if (magnitude == 0) mpfr_set_zero(lower, 1);
    if (negative) {
      mpfr_swap(upper, lower);
      mpfr_neg(upper, upper, MPFR_RNDN);
      mpfr_neg(lower, lower, MPFR_RNDN);
    }
    const std::size_t digits = std::max(interval.low.digits.size(), interval.high.digits.size()) + 5;
    ExactDecimal wantLow = mpfrDecimal(lower, digits), wantHigh = mpfrDecimal(upper, digits);
    if (x == 0) (negative ? wantHigh : wantLow).negative = negative;  // the end that is x itself
    ASSERT_TRUE(sameDecimal(interval.low, wantLow, x, "low end"));
    ASSERT_TRUE(sameDecimal(interval.high, wantHigh, x, "high end"));

    for (const bool high : {false, true}) {
      const ExactDecimal& end = high ? interval.high : interval.low;
      const bool included = high ? interval.highIncluded : interval.lowIncluded;
      DecimalScanner scanner;
      scanner.feed(decimalText(end));
      T read = T(7);
      const ReadOutcome outcome = scanner.read(read);
      // The far end of |x| (its high end) is x's high end when x is positive.
      const bool farEnd = high != negative;
      const bool overflows = !included && magnitude == top && farEnd;
      if (overflows) {
        EXPECT_EQ(outcome, ReadOutcome::Invalid) << showBits(x);
        continue;
      }
      const T beyond = farEnd ? above : below;
      const T expected = included ? x : (negative ? -beyond : beyond);
      ASSERT_EQ(outcome, ReadOutcome::Ok);
      ASSERT_EQ(test::bitsOf(read), test::bitsOf(expected))
          << (high ? "high" : "low") << " end of " << showBits(x) << " read as " << showBits(read);
    }
  }
}

// Random decimal texts read into T; the error stored - typed and the same in ULPs, both
// rounded to 17 digits, against MPFR. With typed = N * 10^q and s = max(0, -q), MPFR forms
// D = stored * 10^s - N * 10^(q+s) at a precision that holds it exactly, so that its
// rounding to 17 digits (the error being D * 10^-s) decides ties as exactly as the engine.
TYPED_TEST(ExactValue, ConversionErrorAgreesWithMpfr) {
  using T = TypeParam;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  constexpr int digits = 17;
  std::mt19937_64 rng(5);
  const int span = std::same_as<T, Binary32> ? 46 : std::same_as<T, Binary64> ? 325 : 4966;
  for (int i = 0; i < (std::same_as<T, Binary128> ? 300 : 3000) / test::sweepScale; ++i) {
    std::string text(rng() % 2, '-');
    const int count = 1 + static_cast<int>(rng() % 30);
    for (int d = 0; d < count; ++d) text += static_cast<char>('0' + rng() % (i % 3 == 0 ? 2 : 10));
    text += "e" + std::to_string(static_cast<int>(rng() % (2 * span)) - span - count / 2);
    DecimalScanner scanner;
    scanner.feed(text);
    T stored{};
    if (scanner.read(stored) != ReadOutcome::Ok) continue;  // overflow
    const DecimalScanner::Digits typed = scanner.digits();
    const ConversionError error = conversionError(
        f, encodingBitsOf(stored), exactFromDigits(typed.negative, typed.digits, typed.lastDigitExponent));

    const long q = typed.lastDigitExponent, shift = q < 0 ? -q : 0;
    const mpfr_prec_t precision =
        256 + 4 * (shift + (q > 0 ? q : 0) + static_cast<long>(typed.digits.size()));
    Mp n(precision), scaledStored(precision), power(precision), d(precision), ulps(precision);
    const std::string digitsText = typed.digits.empty() ? "0" : std::string(typed.digits);
    mpfr_set_str(n, digitsText.c_str(), 10, MPFR_RNDN);
    if (typed.negative) mpfr_neg(n, n, MPFR_RNDN);
    mpfr_ui_pow_ui(power, 10, static_cast<unsigned long>(q + shift), MPFR_RNDN);
    mpfr_mul(n, n, power, MPFR_RNDN);
    test::setExact(scaledStored, stored);
    mpfr_ui_pow_ui(power, 10, static_cast<unsigned long>(shift), MPFR_RNDN);
    mpfr_mul(scaledStored, scaledStored, power, MPFR_RNDN);
    ASSERT_EQ(mpfr_sub(d, scaledStored, n, MPFR_RNDN), 0) << "not exact: " << text;
    mpfr_mul_2si(ulps, d, -ulpExponent(f, encodingBitsOf(stored)), MPFR_RNDN);
    ExactDecimal wantError = mpfrDecimal(d, digits), wantUlps = mpfrDecimal(ulps, digits);
    for (ExactDecimal* want : {&wantError, &wantUlps}) {
      if (want->isZero())
        *want = ExactDecimal{};  // an exact read: +0
      else
        want->exponent -= shift;
    }
    ASSERT_TRUE(sameDecimal(roundedToDigits(error.error, digits), wantError, stored, text.c_str()));
    ASSERT_TRUE(sameDecimal(roundedToDigits(error.ulps, digits), wantUlps, stored, text.c_str()));
    // A correctly rounded read is never more than half an ULP off.
    ASSERT_LE(mpfr_cmp_d(ulps, 0.5) <= 0 && mpfr_cmp_d(ulps, -0.5) >= 0, true) << text;
  }
}

ExactDecimal typedOf(std::string_view text) {
  DecimalScanner scanner;
  scanner.feed(text);
  const DecimalScanner::Digits d = scanner.digits();
  return exactFromDigits(d.negative, d.digits, d.lastDigitExponent);
}

// What MPFR and the engine's own reader make of a text in format T; false (with the reason)
// unless both give `want`, or both overflow when `want` is absent.
template <IeeeBinary T>
::testing::AssertionResult bothRead(const std::string& text, const T* want) {
  bool overflow = false;
  const T byMpfr = test::roundDecimal<T>(text, overflow);
  DecimalScanner scanner;
  scanner.feed(text);
  T byEngine{};
  const ReadOutcome outcome = scanner.read(byEngine);
  if (want == nullptr) {
    if (overflow && outcome == ReadOutcome::Invalid) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text << " should overflow";
  }
  if (!overflow && outcome == ReadOutcome::Ok && test::bitsOf(byMpfr) == test::bitsOf(*want) &&
      test::bitsOf(byEngine) == test::bitsOf(*want))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << text << "\n  want " << showBits(*want) << "\n  mpfr "
                                       << showBits(byMpfr) << "\nengine " << showBits(byEngine);
}

// Every finite encoding of the 16-bit formats: its exact value reads back into it, and each
// end of its interval reads into it when included, else into the neighbour beyond that end
// (past the largest finite value, overflow). So every tie of the format is decided here once,
// by MPFR and by the engine's read.
template <class T>
class EveryEncoding : public ::testing::Test {};
using SixteenBitFormats = ::testing::Types<Binary16, BFloat16>;
TYPED_TEST_SUITE(EveryEncoding, SixteenBitFormats);

TYPED_TEST(EveryEncoding, ExactValueAndIntervalEndsReadAsTheyShould) {
  using T = TypeParam;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  const T top = test::largestFinite<T>();
  for (unsigned i = 0; i < 0x10000; i += test::sweepScale) {
    const auto bits = static_cast<std::uint16_t>(i);
    if (!isFiniteEncoding(f, bits)) continue;
    const T x = test::fromBits<T>(bits);
    ASSERT_TRUE(bothRead(exactValueText(f, bits), &x));
    const RoundingInterval interval = roundingInterval(f, bits);
    const T below = test::oracleNextDown(x), above = test::oracleNextUp(x);
    const bool overflowsAbove = x == top, overflowsBelow = x == -top;
    ASSERT_TRUE(bothRead(decimalText(interval.low), interval.lowIncluded ? &x
                                                    : overflowsBelow     ? nullptr
                                                                         : &below));
    ASSERT_TRUE(bothRead(decimalText(interval.high), interval.highIncluded ? &x
                                                     : overflowsAbove      ? nullptr
                                                                           : &above));
  }
}

using ErrorTexts = std::pair<std::string, std::string>;

template <IeeeBinary T>
ErrorTexts errorTexts(std::string_view text, int digits = 17) {
  DecimalScanner scanner;
  scanner.feed(text);
  T stored{};
  EXPECT_EQ(scanner.read(stored), ReadOutcome::Ok) << text;
  const ConversionError error =
      conversionError(FormatTraits<T>::format, encodingBitsOf(stored), typedOf(text));
  return {errorText(error, digits), errorUlpsText(error, digits)};
}

TEST(ExactTexts, KnownValuesErrorsAndIntervals) {
  EXPECT_EQ(exactValueText(binary32Spec, encodingBitsOf(0.1f)), "0.100000001490116119384765625");
  EXPECT_EQ(exactValueText(binary64Spec, encodingBitsOf(0.1)),
            "0.1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(exactValueText(binary32Spec, encodingBitsOf(test::largestFinite<Binary32>())),
            "3.4028234663852885981170418348451692544e+38");
  EXPECT_EQ(exactValueText(binary32Spec, encodingBitsOf(-0.0f)), "-0");
  EXPECT_EQ(exactValueText(binary64Spec, encodingBitsOf(0x1p60)), "1152921504606846976");
  // The longest expansion of all: the smallest Binary128 subnormal, 2^-16494.
  const std::string longest = exactValueText(binary128Spec, 1);
  EXPECT_EQ(longest.substr(0, 12), "6.4751751194");
  EXPECT_EQ(longest.substr(longest.size() - 20), "22662353515625e-4966");

  EXPECT_EQ(errorTexts<Binary32>("0.1"), ErrorTexts("+1.4901161193847656e-09", "+0.2 ULP"));
  EXPECT_EQ(errorTexts<Binary64>("0.1"), ErrorTexts("+5.5511151231257827e-18", "+0.4 ULP"));
  EXPECT_EQ(errorTexts<Binary32>("0.1", 3), ErrorTexts("+1.49e-09", "+0.2 ULP"));
  EXPECT_EQ(errorTexts<Binary32>("0.375"), ErrorTexts("0", "0 ULP"));
  EXPECT_EQ(errorTexts<Binary32>("-0"), ErrorTexts("0", "0 ULP"));
  // Half the smallest subnormal is a tie that goes to the even zero: half an ULP below.
  EXPECT_EQ(errorTexts<Binary32>("7."
                                 "006492321624085354618647916449580656401309709382578858785341419448955413429"
                                 "303007433190941810607910156250e-46")
                .second,
            "-0.5 ULP");
  // Below the subnormal range the stored value is zero and the error is the whole number.
  EXPECT_EQ(errorTexts<Binary32>("1e-50").first, "-1e-50");

  // 1.5 in Binary32 is even: both ends of its interval read into it.
  const RoundingInterval even = roundingInterval(binary32Spec, encodingBitsOf(1.5f));
  EXPECT_EQ(decimalText(even.low), "1.499999940395355224609375");
  EXPECT_EQ(decimalText(even.high), "1.500000059604644775390625");
  EXPECT_TRUE(even.lowIncluded && even.highIncluded);
  // Below a power of two the spacing halves: the low end of 1.0 is a quarter ULP away.
  const RoundingInterval one = roundingInterval(binary64Spec, encodingBitsOf(1.0));
  EXPECT_EQ(decimalText(one.low), "0.999999999999999944488848768742172978818416595458984375");
  EXPECT_EQ(decimalText(one.high), "1.00000000000000011102230246251565404236316680908203125");
  // Ends that are whole numbers: 2^24 + 2 has an odd significand, so neither 2^24 + 1 nor
  // 2^24 + 3 reads into it (each is a tie that goes to its even neighbour).
  const RoundingInterval odd = roundingInterval(binary32Spec, encodingBitsOf(16777218.0f));
  EXPECT_EQ(decimalText(odd.low), "16777217");
  EXPECT_EQ(decimalText(odd.high), "16777219");
  EXPECT_FALSE(odd.lowIncluded || odd.highIncluded);
  const RoundingInterval zero = roundingInterval(binary32Spec, encodingBitsOf(-0.0f));
  EXPECT_EQ(decimalText(zero.high), "-0");
  EXPECT_TRUE(zero.lowIncluded && zero.highIncluded);
}

// The little big-integer routine against GMP on products and powers of many sizes (carries
// across limb and across the eighteen-row blocks of the product).
TEST(DecimalInteger, ProductsAndPowersAgreeWithGmp) {
  std::mt19937_64 rng(3);
  mpz_t a, b, c;
  mpz_inits(a, b, c, nullptr);
  const auto digitsOf = [](mpz_t z) {
    std::string s(mpz_sizeinbase(z, 10) + 2, '\0');
    mpz_get_str(s.data(), 10, z);
    s.resize(s.find('\0'));
    return s;
  };
  for (int i = 0; i < 200; ++i) {
    std::string x, y;
    const int lx = 1 + static_cast<int>(rng() % 400), ly = 1 + static_cast<int>(rng() % 400);
    // All nines stress the carries; random digits the rest.
    const bool nines = rng() % 4 == 0;
    for (int d = 0; d < lx; ++d) x += nines ? '9' : static_cast<char>('0' + rng() % 10);
    for (int d = 0; d < ly; ++d) y += nines ? '9' : static_cast<char>('0' + rng() % 10);
    mpz_set_str(a, x.c_str(), 10);
    mpz_set_str(b, y.c_str(), 10);
    mpz_mul(c, a, b);
    std::string got;
    (detail::DecimalInteger::fromDigits(x) * detail::DecimalInteger::fromDigits(y)).appendDigits(got);
    ASSERT_EQ(got, digitsOf(c)) << x << " * " << y;
  }
  for (const unsigned base : {2U, 5U}) {
    for (const unsigned long n : {0UL, 1UL, 13UL, 64UL, 1000UL, 16494UL}) {
      mpz_ui_pow_ui(c, base, n);
      std::string got;
      detail::DecimalInteger::power(base, n).appendDigits(got);
      ASSERT_EQ(got, digitsOf(c)) << base << "^" << n;
    }
  }
  mpz_clears(a, b, c, nullptr);
}

TEST(DecimalLayout, PositionalInTheMiddleScientificAtTheEnds) {
  EXPECT_EQ(decimalText(exactFromDigits(false, "1", -7)), "0.0000001");
  EXPECT_EQ(decimalText(exactFromDigits(false, "99", -10)), "9.9e-09");
  EXPECT_EQ(decimalText(exactFromDigits(true, "123", 18)), "-123000000000000000000");
  EXPECT_EQ(decimalText(exactFromDigits(false, "1", 21)), "1e+21");
  EXPECT_EQ(decimalText(exactFromDigits(false, "25", -1), {.alwaysSign = true}), "+2.5");
  EXPECT_EQ(decimalText(exactFromDigits(true, "", 0), {.alwaysSign = true, .unsignedZero = true}), "0");
  // Rounding to nearest, ties to even, on the exact digits; a carry lengthens the number.
  EXPECT_EQ(decimalText(roundedToDigits(exactFromDigits(false, "125", -3), 2)), "0.12");
  EXPECT_EQ(decimalText(roundedToDigits(exactFromDigits(false, "135", -3), 2)), "0.14");
  EXPECT_EQ(decimalText(roundedToDigits(exactFromDigits(false, "1251", -4), 2)), "0.13");
  EXPECT_EQ(decimalText(roundedToDigits(exactFromDigits(true, "996", -2), 2)), "-10");
}

}  // namespace
}  // namespace bitscope
