// SPDX-License-Identifier: MIT
// Decimal numbers of any length: the scanner reduces them to a bounded number of digits,
// and the reduction must never change the correctly rounded value in any format.
#include <gtest/gtest.h>

#include <string>

#include "engine/decimal_scanner.h"
#include "oracle.h"

namespace bitscope {
namespace {

using test::showBits;

// A GMP integer for the scope.
class Z {
 public:
  Z() { mpz_init(v_); }
  ~Z() { mpz_clear(v_); }
  Z(const Z&) = delete;
  Z& operator=(const Z&) = delete;
  operator mpz_ptr() { return v_; }
  std::string digits() const {
    std::string text(mpz_sizeinbase(v_, 10) + 2, '\0');
    mpz_get_str(text.data(), 10, v_);
    text.resize(text.find('\0'));
    return text;
  }

 private:
  mpz_t v_;
};

// The whole text through one scanner, in pieces of `piece` characters.
template <IeeeBinary T>
ReadOutcome scanWhole(std::string_view text, T& value, std::size_t piece = std::string_view::npos) {
  DecimalScanner scanner;
  for (std::size_t at = 0; at < text.size(); at += piece) scanner.feed(text.substr(at, piece));
  return scanner.read(value);
}

// odd * 2^s written exactly as "<digits>e<exponent>", then widened by `extra` digits and
// nudged by `nudge` units of its new last digit: with extra digits, -1 lies just below the
// number and +1 just above it, each by far less than any neighbour's distance.
std::string exactDecimal(mpz_ptr odd, long s, unsigned long extra, int nudge) {
  Z x, factor;
  long exponent = 0;
  if (s >= 0) {
    mpz_mul_2exp(x, odd, static_cast<mp_bitcnt_t>(s));
  } else {
    mpz_ui_pow_ui(factor, 5, static_cast<unsigned long>(-s));  // 2^s = 5^-s * 10^s
    mpz_mul(x, odd, factor);
    exponent = s;
  }
  mpz_ui_pow_ui(factor, 10, extra);
  mpz_mul(x, x, factor);
  if (nudge > 0) mpz_add_ui(x, x, 1);
  if (nudge < 0) mpz_sub_ui(x, x, 1);
  return x.digits() + "e" + std::to_string(exponent - static_cast<long>(extra));
}

// A finite value m * 2^q of T: its integer significand and exponent, from its encoding.
template <IeeeBinary T>
long splitValue(T value, mpz_ptr m) {
  using P = test::Params<T>;
  constexpr int t = P::p - 1;
  const auto bits = test::bitsOf(value);
  const auto fraction = bits & ((decltype(bits)(1) << t) - 1);
  const int biased = static_cast<int>((bits >> t) & ((1U << P::w) - 1));
  if constexpr (P::k == 128) {
    mpz_set_ui(m, static_cast<unsigned long>(static_cast<std::uint64_t>(fraction >> 64)));
    mpz_mul_2exp(m, m, 64);
    mpz_add_ui(m, m, static_cast<unsigned long>(static_cast<std::uint64_t>(fraction)));
  } else {
    mpz_set_ui(m, static_cast<unsigned long>(fraction));
  }
  if (biased == 0) return P::emin - t;
  mpz_setbit(m, t);
  return biased - P::emax - t;
}

template <IeeeBinary T>
::testing::AssertionResult scansTo(const std::string& text, T expected,
                                   ReadOutcome outcome = ReadOutcome::Ok) {
  T got = T(7);
  const ReadOutcome read = scanWhole(text, got);
  const T want = outcome == ReadOutcome::Ok ? expected : T(7);
  if (read == outcome && test::bitsOf(got) == test::bitsOf(want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << test::Params<T>::name << " text of " << text.size() << " characters \"" << text.substr(0, 60)
         << "...\"\n got " << static_cast<int>(read) << " " << showBits(got) << "\nwant "
         << static_cast<int>(outcome) << " " << showBits(want);
}

// The scanner against MPFR reading the same text.
template <IeeeBinary T>
::testing::AssertionResult scansLikeMpfr(const std::string& text) {
  bool overflow = false;
  const T expected = test::roundDecimal<T>(text, overflow);
  return scansTo<T>(text, expected, overflow ? ReadOutcome::Invalid : ReadOutcome::Ok);
}

// The longest midpoint of a format: (2^(p+1) - 1) * 2^(emin - p), just below 2^(emin+1).
void longestMidpoint(const FormatSpec& f, mpz_ptr odd) {
  mpz_set_ui(odd, 0);
  mpz_setbit(odd, static_cast<mp_bitcnt_t>(f.p + 1));
  mpz_sub_ui(odd, odd, 1);
}

TEST(DecidingDigits, EachBoundIsTheDigitCountOfTheLongestMidpoint) {
  for (const FormatSpec* f : {&binary32Spec, &binary64Spec, &binary128Spec}) {
    Z odd, five;
    longestMidpoint(*f, odd);
    mpz_ui_pow_ui(five, 5, static_cast<unsigned long>(f->p - f->emin));
    mpz_mul(odd, odd, five);
    EXPECT_EQ(static_cast<int>(odd.digits().size()), decidingDigits(*f)) << f->k;
    EXPECT_LE(decidingDigits(*f), maxDecidingDigits);
  }
}

template <class T>
class LongDecimal : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(LongDecimal, Formats);

// The longest midpoint has exactly as many digits as the scanner keeps in the widest
// format: all of them decide its tie (one digit fewer and it would round down), and a
// digit far beyond them decides the tie of its neighbour midpoint.
TYPED_TEST(LongDecimal, TiesAtTheEdgeOfTheKeptDigits) {
  using T = TypeParam;
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  const T top = smallestNormal<T> * 2;                 // 2^(emin+1), even
  const T belowTop = test::oracleNextDown(top);        // (2^p - 1) * 2^(emin-p+1), odd
  const T evenBelow = test::oracleNextDown(belowTop);  // (2^p - 2) * 2^(emin-p+1), even
  Z odd;
  longestMidpoint(f, odd);
  const long s = f.emin - f.p;
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 0, 0), top));
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 1, -1), belowTop));
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 40000, -1), belowTop));

  mpz_sub_ui(odd, odd, 2);  // the midpoint between evenBelow and belowTop
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 0, 0), evenBelow));
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 40000, 1), belowTop));   // "1" ~51600 digits on
  EXPECT_TRUE(scansTo(exactDecimal(odd, s, 40000, 0), evenBelow));  // zeros do not count
  EXPECT_TRUE(scansLikeMpfr<T>(exactDecimal(odd, s, 0, 0)));
}

// Midpoints between random neighbours, anywhere in the format (the overflow edge and half
// the smallest subnormal among them), written in full: exactly, and nudged just below and
// just above, one digit beyond and thousands of digits beyond their own.
TYPED_TEST(LongDecimal, MidpointsWrittenInFullRoundByAllTheirDigits) {
  using T = TypeParam;
  std::mt19937_64 rng(2024);
  const int count = (std::same_as<T, Binary128> ? 150 : 1500) / test::sweepScale;
  for (int i = 0; i < count; ++i) {
    T below = test::magnitudeOf(test::randomPattern<T>(rng, false));
    if (i == 0) below = test::largestFinite<T>();  // the overflow edge above it
    if (i == 1) below = 0;                         // half the smallest subnormal above it
    const T above = test::oracleNextUp(below);     // infinity above the largest: invalid
    Z m;
    const long q = splitValue(below, m);
    mpz_mul_2exp(m, m, 1);
    mpz_add_ui(m, m, 1);
    const bool negative = rng() % 2 == 0;
    const std::string sign = negative ? "-" : "";
    const auto signed_ = [&](T x) { return negative ? -x : x; };
    const unsigned long far = 1 + rng() % 5000;
    const bool belowIsEven = (test::bitsOf(below) & 1) == 0;
    const T even = belowIsEven ? below : above;
    const ReadOutcome upward = i == 0 ? ReadOutcome::Invalid : ReadOutcome::Ok;
    const ReadOutcome tie = belowIsEven ? ReadOutcome::Ok : upward;
    const std::string exact = sign + exactDecimal(m, q - 1, 0, 0);
    ASSERT_TRUE(scansTo(exact, signed_(even), tie)) << "midpoint above " << showBits(below);
    ASSERT_TRUE(scansTo(sign + exactDecimal(m, q - 1, 1, -1), signed_(below)));
    ASSERT_TRUE(scansTo(sign + exactDecimal(m, q - 1, far, -1), signed_(below)));
    ASSERT_TRUE(scansTo(sign + exactDecimal(m, q - 1, 1, 1), signed_(above), upward));
    ASSERT_TRUE(scansTo(sign + exactDecimal(m, q - 1, far, 1), signed_(above), upward));
    if (i < 40 / test::sweepScale) {
      ASSERT_TRUE(scansLikeMpfr<T>(exact));
    }
  }
}

// Random texts of thousands of digits, the point anywhere, the magnitude anywhere in the
// format and a little beyond; read whole and in pieces.
TYPED_TEST(LongDecimal, ThousandsOfDigitsRoundLikeMpfr) {
  using T = TypeParam;
  using P = test::Params<T>;
  std::mt19937_64 rng(77);
  auto pick = [&](long n) { return static_cast<long>(rng() % static_cast<unsigned long>(n)); };
  const long lowest = static_cast<long>((P::emin - P::p) * 0.30103) - 3;
  const long highest = static_cast<long>((P::emax + 1) * 0.30103) + 2;
  const int count = (std::same_as<T, Binary128> ? 120 : 400) / test::sweepScale;
  for (int i = 0; i < count; ++i) {
    const long digits = 43 + pick(i % 4 == 0 ? 30000 : 3000);
    std::string mantissa(static_cast<std::size_t>(digits), '0');
    for (char& c : mantissa) c = static_cast<char>('0' + pick(10));
    if (pick(3) == 0) std::fill(mantissa.begin() + 1 + pick(digits / 2), mantissa.end(), '9');
    mantissa[0] = static_cast<char>('1' + pick(9));
    const long point = pick(digits + 1);
    mantissa.insert(static_cast<std::size_t>(point), 1, '.');
    const long magnitude = lowest + pick(highest - lowest + 1);
    const std::string text =
        (pick(2) == 0 ? "-" : "") + mantissa + "e" + std::to_string(magnitude - point + 1);
    ASSERT_TRUE(scansLikeMpfr<T>(text));
    T whole = T(7), pieces = T(7);
    const ReadOutcome outcome = scanWhole(text, whole);
    ASSERT_EQ(scanWhole(text, pieces, 1 + static_cast<std::size_t>(pick(5000))), outcome);
    ASSERT_EQ(test::bitsOf(pieces), test::bitsOf(whole)) << text.substr(0, 60);
  }
}

struct LongRow {
  std::string text;
  ReadOutcome outcome;
  double value;  // when Ok
};

std::string repeated(std::size_t n, char c) { return std::string(n, c); }

// The free-form rules hold whatever the length, and the place of the point is kept however
// many digits stand before the first kept one or after the last; in Binary64, whole and in
// pieces of every size from one character.
TEST(LongDecimalScanner, ReadsTheWholeTextByTheFreeFormRules) {
  using enum ReadOutcome;
  const std::string nines(60, '9');
  const LongRow rows[] = {
      {"1.2345678901234567890123456789012345678901E-5", Ok, 1.2345678901234567890123456789012345678901E-5},
      {"0.5" + repeated(39, '0') + "x", Invalid, 0},
      {"0.5" + repeated(39, '0') + " x", Ok, 0.5},
      {repeated(100, ' ') + "-2.5e1", Ok, -25},
      {repeated(100, ' '), NoValue, 0},
      {repeated(100, ' ') + ",5", NoValue, 0},
      {"1" + repeated(20000, '0') + "e-20000", Ok, 1},
      {"0." + repeated(20000, '0') + "1e20001", Ok, 1},
      {"1" + repeated(20000, '0') + ".e-19999", Ok, 10},
      {"1" + repeated(400, '0'), Invalid, 0},
      {"0." + repeated(400, '0') + "1", Ok, 0},
      {"-0." + repeated(1'000'000, '0') + "1", Ok, -0.0},
      {"-" + repeated(1'000'000, '0'), Ok, -0.0},
      {"0e" + nines, Ok, 0},
      {"1e" + nines, Invalid, 0},
      {"1e-" + nines, Ok, 0},
      {"0." + repeated(1'000'000, '0') + "1e" + nines, Invalid, 0},
      {"1" + repeated(50, '0') + "e5x", Invalid, 0},
      {"1" + repeated(50, '0') + "e", Invalid, 0},
      {"1" + repeated(50, '0') + "e+", Invalid, 0},
      {"1" + repeated(50, '0') + "." + repeated(50, '0') + ".", Invalid, 0},
      {"+" + repeated(50, '0') + "1" + repeated(50, '0') + " garbage", Ok, 1e50},
      {"12345678901234567890123456789012345678901234567890/3", Ok, 1.2345678901234567890e49},
      {"0." + nines + "e1", Ok, 10},
  };
  for (const LongRow& row : rows) {
    const double want = row.outcome == Ok ? row.value : 7;
    for (const std::size_t piece : {std::string::npos, std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
      double got = 7;
      EXPECT_EQ(scanWhole(row.text, got, piece), row.outcome) << row.text.substr(0, 60) << " / " << piece;
      EXPECT_EQ(test::bitsOf(got), test::bitsOf(want)) << row.text.substr(0, 60) << " / " << piece;
    }
  }
}

}  // namespace
}  // namespace bitscope
