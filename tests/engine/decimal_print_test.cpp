// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/decimal_text.h"
#include "oracle.h"

namespace bitscope {
namespace {

using test::showBits;

// MPFR's "%.*Re" text of the exact value, laid out again: letter, exponent digits, sign.
template <IeeeBinary T>
std::string expectedScientific(T x, int digits, char letter, int exponentDigits, bool plus) {
  const std::string e = test::mpfrPrint("%.*Re", digits, x);
  const std::size_t at = e.find('e');
  const std::string mantissa = e.substr(0, at);
  const int exponent = std::atoi(e.c_str() + at + 1);
  char text[64];
  std::snprintf(text, sizeof text, "%s%s%c%c%0*d", plus && mantissa[0] != '-' ? "+" : "", mantissa.c_str(),
                letter, exponent < 0 ? '-' : '+', exponentDigits, std::abs(exponent));
  return text;
}

// Binary64's free form: 15 significant digits in fixed point when the value rounded to 15
// digits lies in [0.1, 10^15), else 16 digits with E and three exponent digits.
std::string expectedFreeForm(double x) {
  const std::string e = test::mpfrPrint("%.*Re", 14, x);
  const int exponent = std::atoi(e.c_str() + e.find('e') + 1);
  if (x == 0 || exponent < -1 || exponent > 14) return expectedScientific(x, 15, 'E', 3, false);
  std::string fixed = test::mpfrPrint("%.*Rf", 14 - exponent, x);
  if (fixed.find('.') == std::string::npos) fixed += '.';
  return fixed;
}

template <IeeeBinary T>
struct Expected;
template <>
struct Expected<Binary32> {
  static std::string x(float v) { return expectedScientific(v, 7, 'E', 2, true); }
  static std::string significand(float v) { return expectedScientific(v, 7, 'E', 2, false); }
  static std::string delta(float v) { return significand(v); }
};
template <>
struct Expected<Binary64> {
  static std::string x(double v) { return expectedScientific(v, 16, 'D', 2, true); }
  static std::string significand(double v) { return expectedScientific(v, 15, 'E', 2, false); }
  static std::string delta(double v) { return expectedFreeForm(v); }
};
template <>
struct Expected<Binary16> {
  static std::string x(Binary16 v) { return expectedScientific(v, 4, 'E', 2, true); }
  static std::string significand(Binary16 v) { return expectedScientific(v, 4, 'E', 2, false); }
  static std::string delta(Binary16 v) { return significand(v); }
};
template <>
struct Expected<BFloat16> {
  static std::string x(BFloat16 v) { return expectedScientific(v, 3, 'E', 2, true); }
  static std::string significand(BFloat16 v) { return expectedScientific(v, 3, 'E', 2, false); }
  static std::string delta(BFloat16 v) { return significand(v); }
};
template <>
struct Expected<Binary128> {
  static std::string x(Binary128 v) { return expectedScientific(v, 33, 'D', 3, true); }
  static std::string significand(Binary128 v) { return expectedScientific(v, 33, 'E', 2, false); }
  static std::string delta(Binary128 v) { return expectedScientific(v, 33, 'D', 3, false); }
};

template <class T>
class PrintStyles : public ::testing::Test {};
using Formats = ::testing::Types<Binary32, Binary64, Binary128, Binary16, BFloat16>;
TYPED_TEST_SUITE(PrintStyles, Formats);

// Every style against MPFR, for random finite patterns (subnormals and zeros included) and,
// for the free form, values around its fixed-point range.
TYPED_TEST(PrintStyles, EveryStyleMatchesMpfr) {
  using T = TypeParam;
  using E = Expected<T>;
  std::mt19937_64 rng(4242);
  const int count = (std::same_as<T, Binary128> ? 6000 : 30000) / test::sweepScale;
  for (int i = 0; i < count; ++i) {
    T x = test::randomPattern<T>(rng, false);
    if constexpr (std::same_as<T, Binary64>) {
      if (i % 2 == 0)  // 2^-5 .. 2^51: around the free form's fixed range [0.1, 10^15)
        x = test::fromBits<T>((test::bitsOf(x) & ~(std::uint64_t(0x7ff) << 52)) |
                              (std::uint64_t(1018 + rng() % 57) << 52));
    }
    const std::string neighbour = E::x(x).substr(E::x(x)[0] == '+');
    ASSERT_EQ(formatValue(x, PrintStyle::XDisplay), E::x(x)) << showBits(x);
    ASSERT_EQ(formatValue(x, PrintStyle::NeighbourDecimal), neighbour) << showBits(x);
    ASSERT_EQ(formatValue(x, PrintStyle::Significand), E::significand(x)) << showBits(x);
    ASSERT_EQ(formatValue(x, PrintStyle::DeltaStyle), E::delta(x)) << showBits(x);
    if (i % 10 == 0) {  // integers of up to 4933 digits: fewer of them
      ASSERT_EQ(formatValue(x, PrintStyle::ExponentInteger), test::mpfrPrint("%.*Rf", 0, x)) << showBits(x);
    }
  }
}

struct PrintRow {
  std::string got;
  const char* want;
};

// Hand-checked texts of the examples, the free form's edges and the words for non-finite
// values.
TEST(PrintStylesByHand, ExamplesEdgesAndWords) {
  using enum PrintStyle;
  const double inf = std::numeric_limits<double>::infinity();
  const PrintRow rows[] = {
      {formatValue(1.0f, XDisplay), "+1.0000000E+00"},
      {formatValue(1.0, XDisplay), "+1.0000000000000000D+00"},
      {formatValue(Binary128(1), XDisplay), "+1.000000000000000000000000000000000D+000"},
      {formatValue(0.1f, XDisplay), "+1.0000000E-01"},
      {formatValue(std::nextafter(1.0f, 2.0f), NeighbourDecimal), "1.0000001E+00"},
      {formatValue(1.5, Significand), "1.500000000000000E+00"},
      {formatValue(std::numeric_limits<double>::max(), XDisplay), "+1.7976931348623157D+308"},
      {formatValue(test::fromBits<Binary128>(1), XDisplay), "+6.475175119438025110924438958227647D-4966"},
      {formatValue(-0.0f, XDisplay), "-0.0000000E+00"},
      {formatValue(-0.0f, NeighbourDecimal), "-0.0000000E+00"},
      {formatValue(-0.0, ExponentInteger), "-0"},
      {formatValue(0.5, DeltaStyle), "0.500000000000000"},
      {formatValue(1.0, DeltaStyle), "1.00000000000000"},
      {formatValue(0x1p-53 + 0x1p-105, DeltaStyle), "1.110223024625157E-016"},
      {formatValue(0.0, DeltaStyle), "0.000000000000000E+000"},
      {formatValue(-0.0, DeltaStyle), "-0.000000000000000E+000"},
      {formatValue(1e14, DeltaStyle), "100000000000000."},
      {formatValue(-123.25, DeltaStyle), "-123.250000000000"},
      {formatValue(1e15, DeltaStyle), "1.000000000000000E+015"},
      {formatValue(999999999999999.875, DeltaStyle), "9.999999999999999E+014"},  // rounds up
      {formatValue(0.09999999999999999, DeltaStyle), "0.100000000000000"},       // rounds up
      {formatValue(0.099999999999999, DeltaStyle), "9.999999999999901E-002"},
      {formatValue(std::numeric_limits<double>::max(), DeltaStyle), "1.797693134862316E+308"},
      {formatValue(5.9604652e-08f, DeltaStyle), "5.9604652E-08"},
      {formatValue(inf, XDisplay), "+Infinity"},
      {formatValue(inf, NeighbourDecimal), "Infinity"},
      {formatValue(-inf, XDisplay), "-Infinity"},
      {formatValue(-inf, DeltaStyle), "-Infinity"},
      {formatValue(std::numeric_limits<float>::quiet_NaN(), XDisplay), "NaN"},
      {formatValue(-std::numeric_limits<double>::quiet_NaN(), Significand), "NaN"},
      {formatValue(test::fromBits<Binary128>(~static_cast<unsigned __int128>(0)), DeltaStyle), "NaN"},
      {formatValue(2.5f, ExponentInteger), "2"},
      {formatValue(-3.5, ExponentInteger), "-4"},
      {formatValue(8, FormatValues{1.0f, 2.0, 3}, XDisplay), "+2.0000000000000000D+00"},
      {formatValue(5, FormatValues{}, XDisplay), ""},
      {formatInteger(-16382), "-16382"},
      {formatInteger(0), "0"},
  };
  for (const PrintRow& row : rows) EXPECT_EQ(row.got, row.want);
}

}  // namespace
}  // namespace bitscope
