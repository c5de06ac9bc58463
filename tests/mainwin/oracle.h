// SPDX-License-Identifier: MIT
// Test support: expected encodings and view texts computed independently of the
// program, with exact integer arithmetic on encodings and MPFR for rounding and
// decimal digits.
#pragma once

#include <ostream>
#include <string>

namespace bitscope::test {

using Encoding = unsigned __int128;

// The parameters of a format, written out here rather than taken from the engine.
struct Format {
  int bytes, k, p, w, emin, emax;
  int t() const { return p - 1; }
  int bias() const { return emax; }
};
inline constexpr Format f32{4, 32, 24, 8, -126, 127};
inline constexpr Format f64{8, 64, 53, 11, -1022, 1023};
inline constexpr Format f128{16, 128, 113, 15, -16382, 16383};
const Format& formatOf(int bytes);

// An encoding as the three bit texts of its fields.
struct Fields {
  std::string s, e, t;
  bool operator==(const Fields&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << '"' << f.s << ' ' << f.e << ' ' << f.t << '"';
  }
};
Fields fieldsOf(const Format& f, Encoding bits);
std::string allBits(const Format& f, Encoding bits);  // the k characters
Encoding encodingOf(const Format& f, int sign, Encoding biasedExponent, Encoding trailing);

// The decimal text (MPFR syntax) rounded to nearest even into the format, subnormals
// included; false when its magnitude overflows.
bool roundDecimal(const Format& f, const char* text, Encoding& bits);

// Notable values.
Encoding largestFinite(const Format& f);
Encoding smallestNormalBits(const Format& f);

// The seven parameter views of a finite encoding: value text and caption per item
// (index 1 to 7), in a language (true: Romanian).
struct View {
  std::string value, caption;
};
View expectedView(const Format& f, Encoding x, int item, bool romanian, bool neighbourBits);

// X as the X box shows it after a decode.
std::string expectedXDisplay(const Format& f, Encoding x);

}  // namespace bitscope::test
