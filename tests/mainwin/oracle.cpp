// SPDX-License-Identifier: MIT
#include "oracle.h"

#include <gmp.h>
#include <mpfr.h>

#include <cstdint>
#include <stdexcept>

namespace bitscope::test {

namespace {

constexpr Encoding one = 1;

Encoding mask(int bits) { return bits >= 128 ? ~Encoding(0) : (one << bits) - 1; }

// MPFR's exponent range set to the format's (x = m * 2^E, 0.5 <= m < 1) while alive.
class FormatRange {
 public:
  explicit FormatRange(const Format& f) : savedMin_(mpfr_get_emin()), savedMax_(mpfr_get_emax()) {
    mpfr_set_emin(f.emin - f.p + 2);
    mpfr_set_emax(f.emax + 1);
  }
  ~FormatRange() {
    mpfr_set_emin(savedMin_);
    mpfr_set_emax(savedMax_);
  }
  FormatRange(const FormatRange&) = delete;
  FormatRange& operator=(const FormatRange&) = delete;

 private:
  mpfr_exp_t savedMin_, savedMax_;
};

struct Mp {
  mpfr_t v;
  explicit Mp(mpfr_prec_t precision = 40000) { mpfr_init2(v, precision); }
  ~Mp() { mpfr_clear(v); }
  Mp(const Mp&) = delete;
  Mp& operator=(const Mp&) = delete;
};

struct Mz {
  mpz_t v;
  Mz() { mpz_init(v); }
  ~Mz() { mpz_clear(v); }
  Mz(const Mz&) = delete;
  Mz& operator=(const Mz&) = delete;
};

void setInteger(mpz_t z, Encoding n) {
  const std::uint64_t words[2] = {static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(n >> 64)};
  mpz_import(z, 2, -1, sizeof(std::uint64_t), 0, 0, words);
}

Encoding getInteger(const mpz_t z) {
  std::uint64_t words[2] = {0, 0};
  if (mpz_sizeinbase(z, 2) > 128) throw std::logic_error("integer too wide");
  mpz_export(words, nullptr, -1, sizeof(std::uint64_t), 0, 0, z);
  return (static_cast<Encoding>(words[1]) << 64) | words[0];
}

// The exact value of an encoding (finite, or an infinity).
void valueOf(const Format& f, Encoding x, mpfr_t out) {
  const bool negative = ((x >> (f.k - 1)) & 1) != 0;
  const Encoding biased = (x >> f.t()) & mask(f.w);
  const Encoding trailing = x & mask(f.t());
  if (biased == mask(f.w)) {
    mpfr_set_inf(out, negative ? -1 : 1);
    return;
  }
  Mz z;
  setInteger(z.v, biased == 0 ? trailing : trailing | (one << f.t()));
  const long scale = biased == 0 ? f.emin - f.t() : static_cast<long>(biased) - f.bias() - f.t();
  mpfr_set_z_2exp(out, z.v, scale, MPFR_RNDN);  // exact: out is wide enough
  if (negative) mpfr_neg(out, out, MPFR_RNDN);
  if (mpfr_zero_p(out) && negative) mpfr_setsign(out, out, 1, MPFR_RNDN);
}

// A value that the format represents exactly, as its encoding.
Encoding encodingOfValue(const Format& f, mpfr_t value) {
  const int sign = mpfr_signbit(value) ? 1 : 0;
  if (mpfr_inf_p(value)) return encodingOf(f, sign, mask(f.w), 0);
  if (mpfr_zero_p(value)) return encodingOf(f, sign, 0, 0);
  Mp scaled;
  mpfr_abs(scaled.v, value, MPFR_RNDN);
  const long e = mpfr_get_exp(value) - 1;  // value = 1.f * 2^e
  Mz z;
  if (e < f.emin) {
    mpfr_mul_2si(scaled.v, scaled.v, f.t() - f.emin, MPFR_RNDN);
    mpfr_get_z(z.v, scaled.v, MPFR_RNDN);
    return encodingOf(f, sign, 0, getInteger(z.v));
  }
  mpfr_mul_2si(scaled.v, scaled.v, f.t() - e, MPFR_RNDN);
  mpfr_get_z(z.v, scaled.v, MPFR_RNDN);
  return encodingOf(f, sign, static_cast<Encoding>(e + f.bias()), getInteger(z.v) & mask(f.t()));
}

// Rounds a ternary MPFR result of precision p into the format's range, subnormals
// included, and returns its encoding.
template <class Operation>
Encoding roundedInFormat(const Format& f, Operation operation) {
  FormatRange range(f);
  Mp result(f.p);
  int inexact = operation(result.v);
  inexact = mpfr_check_range(result.v, inexact, MPFR_RNDN);
  mpfr_subnormalize(result.v, inexact, MPFR_RNDN);
  return encodingOfValue(f, result.v);
}

Encoding nextUpBits(const Format& f, Encoding x) {
  const Encoding signBit = one << (f.k - 1);
  if (x == signBit) return 1;                 // -0: the smallest subnormal
  return (x & signBit) != 0 ? x - 1 : x + 1;  // toward +infinity
}

Encoding nextDownBits(const Format& f, Encoding x) {
  const Encoding signBit = one << (f.k - 1);
  if (x == 0) return signBit | 1;
  return (x & signBit) != 0 ? x + 1 : x - 1;
}

// ---- Printing, from MPFR's correctly rounded digits ----------------------------------

struct Style {
  int digits;  // after the point
  char letter;
  int exponentDigits;  // at least
  bool plus;
};

std::string signOf(bool negative, bool plus) { return negative ? "-" : plus ? "+" : ""; }

std::string scientific(mpfr_t v, const Style& style) {
  const bool negative = mpfr_signbit(v) != 0;
  if (mpfr_inf_p(v)) return signOf(negative, style.plus) + "Infinity";
  std::string digits;
  long exponent = 0;
  if (mpfr_zero_p(v)) {
    digits.assign(static_cast<std::size_t>(style.digits) + 1, '0');
  } else {
    mpfr_exp_t e10 = 0;
    char* raw = mpfr_get_str(nullptr, &e10, 10, static_cast<std::size_t>(style.digits) + 1, v, MPFR_RNDN);
    digits = raw[0] == '-' ? raw + 1 : raw;
    mpfr_free_str(raw);
    exponent = e10 - 1;
  }
  std::string exp = std::to_string(exponent < 0 ? -exponent : exponent);
  if (exp.size() < static_cast<std::size_t>(style.exponentDigits))
    exp.insert(0, static_cast<std::size_t>(style.exponentDigits) - exp.size(), '0');
  return signOf(negative, style.plus) + digits.substr(0, 1) + "." + digits.substr(1) + style.letter +
         (exponent < 0 ? "-" : "+") + exp;
}

// Binary64 Delta: 15 significant digits in fixed point from 0.1 up to 10^15, else 16 in
// scientific form with a three-digit exponent.
std::string freeForm64(mpfr_t v) {
  if (mpfr_inf_p(v) || mpfr_zero_p(v)) return scientific(v, {15, 'E', 3, false});
  mpfr_exp_t e10 = 0;
  char* raw = mpfr_get_str(nullptr, &e10, 10, 15, v, MPFR_RNDN);
  const bool negative = raw[0] == '-';
  const std::string digits = negative ? raw + 1 : raw;
  mpfr_free_str(raw);
  const long exponent = e10 - 1;
  if (exponent < -1 || exponent > 14) return scientific(v, {15, 'E', 3, false});
  const std::string sign = negative ? "-" : "";
  if (exponent == -1) return sign + "0." + digits;
  const auto before = static_cast<std::size_t>(exponent + 1);
  return sign + digits.substr(0, before) + "." + digits.substr(before);
}

Style xDisplayStyle(const Format& f, bool plus) {
  if (f.bytes == 4) return {7, 'E', 2, plus};
  if (f.bytes == 8) return {16, 'D', 2, plus};
  return {33, 'D', 3, plus};
}

std::string neighbourDecimal(const Format& f, Encoding x) {
  Mp v;
  valueOf(f, x, v.v);
  return scientific(v.v, xDisplayStyle(f, false));
}

std::string deltaStyle(const Format& f, Encoding x) {
  Mp v;
  valueOf(f, x, v.v);
  if (f.bytes == 4) return scientific(v.v, {7, 'E', 2, false});
  if (f.bytes == 8) return freeForm64(v.v);
  return scientific(v.v, xDisplayStyle(f, false));
}

// ---- The quantities --------------------------------------------------------------------

Encoding absolute(const Format& f, Encoding x) { return x & mask(f.k - 1); }
bool isPositive(const Format& f, Encoding x) { return (x >> (f.k - 1)) == 0 && x != 0; }

Encoding ulpBits(const Format& f, Encoding x) {
  const Encoding biased = (absolute(f, x) >> f.t()) & mask(f.w);
  if (biased <= 1) return 1;  // zero, subnormal, lowest binade: the smallest subnormal
  const long e = static_cast<long>(biased) - f.bias() - f.t();  // the weight of the last bit
  if (e >= f.emin) return encodingOf(f, 0, static_cast<Encoding>(e + f.bias()), 0);
  return one << (e - (f.emin - f.t()));
}

Encoding roundedSum(const Format& f, Encoding a, Encoding b) {
  Mp x, y;
  valueOf(f, a, x.v);
  valueOf(f, b, y.v);
  return roundedInFormat(f, [&](mpfr_t out) { return mpfr_add(out, x.v, y.v, MPFR_RNDN); });
}

// Delta by its definition: the smallest representable d > 0 with RN(|x| + d) > |x|.
// It lies at or just above half the gap above |x| (or is the smallest subnormal when
// that half is not representable); the search starts there and checks the value below.
Encoding deltaBits(const Format& f, Encoding x) {
  const Encoding magnitude = absolute(f, x);
  const Encoding gap = ulpBits(f, magnitude);
  Encoding candidate = 1;
  if (gap > 1) {
    Mp half;
    valueOf(f, gap, half.v);
    mpfr_div_2ui(half.v, half.v, 1, MPFR_RNDN);
    candidate = encodingOfValue(f, half.v);
  }
  auto increases = [&](Encoding d) { return roundedSum(f, magnitude, d) != magnitude; };
  while (!increases(candidate)) candidate = nextUpBits(f, candidate);
  if (candidate > 1 && increases(candidate - 1)) throw std::logic_error("delta search started too high");
  return candidate;
}

std::string bitsView(const Format& f, Encoding y) {
  const Fields fields = fieldsOf(f, y);
  if (f.bytes == 4) return fields.s + "_" + fields.e + "_" + fields.t;
  const std::string all = allBits(f, y);
  return fields.s + "_" + fields.e + "_..." + all.substr(all.size() - 16);
}

std::string bitsLabel(const Format& f, bool up, bool romanian) {
  if (f.bytes == 4) return up ? "      Nearest > X  (S_Exp_Sig)" : "      Nearest < X  (S_Exp_Sig)";
  const std::string rest = romanian ? "Semnificand: ultimii 16 biti" : "Significand: last 16 bits";
  const char* separator = up || f.bytes == 16 ? "; " : ", ";
  return std::string(up ? "Nearest > X" : "Nearest < X") + separator + rest;
}

}  // namespace

const Format& formatOf(int bytes) { return bytes == 4 ? f32 : bytes == 8 ? f64 : f128; }

Encoding encodingOf(const Format& f, int sign, Encoding biasedExponent, Encoding trailing) {
  return (static_cast<Encoding>(sign) << (f.k - 1)) | (biasedExponent << f.t()) | trailing;
}

std::string allBits(const Format& f, Encoding bits) {
  std::string out;
  for (int i = f.k - 1; i >= 0; --i) out += ((bits >> i) & 1) != 0 ? '1' : '0';
  return out;
}

Fields fieldsOf(const Format& f, Encoding bits) {
  const std::string all = allBits(f, bits);
  return {all.substr(0, 1), all.substr(1, static_cast<std::size_t>(f.w)),
          all.substr(1 + static_cast<std::size_t>(f.w))};
}

bool roundDecimal(const Format& f, const char* text, Encoding& bits) {
  bits = roundedInFormat(f, [&](mpfr_t out) { return mpfr_strtofr(out, text, nullptr, 10, MPFR_RNDN); });
  return ((bits >> f.t()) & mask(f.w)) != mask(f.w);
}

Encoding largestFinite(const Format& f) { return encodingOf(f, 0, mask(f.w) - 1, mask(f.t())); }
Encoding smallestNormalBits(const Format& f) { return encodingOf(f, 0, 1, 0); }

std::string expectedXDisplay(const Format& f, Encoding x) {
  Mp v;
  valueOf(f, x, v.v);
  return scientific(v.v, xDisplayStyle(f, true));
}

View expectedView(const Format& f, Encoding x, int item, bool romanian, bool neighbourBits) {
  const Encoding biased = (absolute(f, x) >> f.t()) & mask(f.w);
  const Encoding trailing = x & mask(f.t());
  switch (item) {
    case 1: {
      const long e = biased == 0 ? f.emin : static_cast<long>(biased) - f.bias();
      const Encoding top = biased >> 1;  // the first w - 1 bits of E
      const char* suffix = top == 0 ? " (Emin)" : top == mask(f.w - 1) ? " (Emax)" : " (E)";
      return {std::to_string(e),
              std::string(romanian ? "Exponentul reprezentarii" : "Representation Exponent") + suffix};
    }
    case 2: {
      Mz z;
      setInteger(z.v, biased == 0 ? trailing : trailing | (one << f.t()));
      Mp m;
      mpfr_set_z_2exp(m.v, z.v, -f.t(), MPFR_RNDN);
      const Style style{f.bytes == 4 ? 7 : f.bytes == 8 ? 15 : 33, 'E', 2, false};
      return {scientific(m.v, style), romanian ? "     Semnificand" : "     Significand"};
    }
    case 3:
      return {neighbourDecimal(f, ulpBits(f, x)), "        ULP(X)"};
    case 4:
    case 5: {
      const bool up = item == 4;
      const Encoding y = up ? nextUpBits(f, x) : nextDownBits(f, x);
      if (neighbourBits) return {bitsView(f, y), bitsLabel(f, up, romanian)};
      return {neighbourDecimal(f, y), up ? "      Nearest, > X" : "      Nearest, < X"};
    }
    case 6: {
      const bool positive = isPositive(f, x);
      const char* caption =
          romanian ? (positive ? "Delta (minim):  X + Delta > X" : "Delta (minim): |X| + Delta > |X|")
                   : (positive ? "Delta (Smallest): X + Delta > X" : "Delta (Smallest): |X| + Delta > |X|");
      return {deltaStyle(f, deltaBits(f, x)), caption};
    }
    case 7:
      return {deltaStyle(f, roundedSum(f, x, deltaBits(f, x))),
              isPositive(f, x) ? "X + Delta" : "|X| + Delta"};
    default:
      return {};
  }
}

}  // namespace bitscope::test
