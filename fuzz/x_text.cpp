// SPDX-License-Identifier: MIT
// Fuzz target: the X text. Any bytes typed into the X box go through the recognition of
// infinities and NaNs by name and through the decimal reader of each format. Checked on
// every input:
// 1. A value is written only when it is read (Ok); the other outcomes leave it untouched.
// 2. An accepted value is finite and equals MPFR's correctly rounded reading of the same
//    number (exponent letters D and Q read as E), subnormals and signed zeros included.
// 3. Its encoding decodes to the identical bits, and it reads back unchanged from the
//    shortest text that identifies it.
// 4. Printed as the window shows X, it reads back as the value nearest the digits shown (in
//    Binary64, whose 17 digits identify every value, as the identical bits).
// 5. The three formats agree: whether there is a number at all, its sign, a zero stays a
//    zero in a narrower format, and a number finite in a narrower format is finite in a
//    wider one.
// 6. Binary32 and Binary64 read a plain number ("1.5e3") on a fast path and everything
//    else with the full scanner; written with a "+" (which forces the scanner) the same
//    number gives the same outcome and bits.
// 7. A name of an infinity or NaN is never read as a number, and its encoding decodes to
//    what the name says.
// 8. The whole text, however long, read by the DecimalScanner in one piece and split in
//    two: both readings agree, an accepted value is MPFR's correctly rounded reading of all
//    the number's digits, and a text of at most 42 characters reads as the X text does.
#include <quadmath.h>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "../tests/engine/oracle.h"
#include "engine/decimal_scanner.h"
#include "engine/engine.h"

namespace {

using namespace bitscope;

std::string_view g_input;  // the text under test, for the report

template <IeeeBinary T>
const char* formatName() {
  return std::same_as<T, Binary32> ? "Binary32" : std::same_as<T, Binary64> ? "Binary64" : "Binary128";
}

template <IeeeBinary T>
[[noreturn]] void fault(const char* what, T got, std::optional<T> expected = std::nullopt) {
  std::fprintf(stderr, "%s, %s\n  X text: \"%.*s\"\n  got:      %s\n", formatName<T>(), what,
               static_cast<int>(g_input.size()), g_input.data(), test::showBits(got).c_str());
  if (expected) std::fprintf(stderr, "  expected: %s\n", test::showBits(*expected).c_str());
  std::abort();
}

template <IeeeBinary T>
bool sameBits(T a, T b) {
  return test::bitsOf(a) == test::bitsOf(b);
}

template <IeeeBinary T>
bool signBit(T value) {
  return (test::bitsOf(value) >> (test::Params<T>::k - 1)) != 0;
}

template <IeeeBinary T>
bool isZero(T value) {
  return (test::bitsOf(value) << 1) == 0;
}

// A value no reader produces: a NaN with a payload, to see that nothing was written.
template <IeeeBinary T>
T untouchedMarker() {
  using Bits = typename test::Params<T>::Bits;
  return test::fromBits<T>(~Bits(0) >> 1);
}

// The number of a text as MPFR reads it: the characters the reader looks at (the first 42
// of the X text, or all of them, leading blanks skipped, up to a blank, comma or slash),
// exponent letters as e. MPFR misreads exponents beyond its own exponent type, so one of
// more than nine digits becomes 999999999: with no more digits than a fuzzer's input holds
// the number is out of every range either way.
std::string numberToken(std::string_view text, std::size_t length = xTextLength) {
  text = text.substr(0, length);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::string token(text.substr(first, text.find_first_of(" ,/", first) - first));
  for (char& c : token)
    if (c == 'E' || c == 'D' || c == 'd' || c == 'Q' || c == 'q') c = 'e';
  std::size_t digits = token.find('e');
  if (digits == std::string::npos) return token;
  digits = token.find_first_not_of("+-", digits + 1);
  digits = std::min(token.find_first_not_of('0', digits), token.size());
  if (token.size() - digits > 9) token.replace(digits, std::string::npos, "999999999");
  return token;
}

// The shortest text that identifies value: std::to_chars for Binary32 and Binary64; for
// Binary128 36 significant digits (enough for every value) with the trailing zeros
// dropped. Written as digits and an exponent without a point, so that it fits the X text
// even for the longest Binary128 numbers; empty if it still does not fit.
template <IeeeBinary T>
std::string identifyingText(T value) {
  char buffer[80];
  if constexpr (std::same_as<T, Binary128>) {
    const int length = quadmath_snprintf(buffer, sizeof buffer, "%.35Qe", value);
    const std::string_view printed(buffer, static_cast<std::size_t>(length));
    const std::size_t e = printed.find('e');
    const bool negative = printed[0] == '-';
    std::string digits;
    for (char c : printed.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
      if (c != '.') digits += c;
    int exponent = std::atoi(buffer + e + 1) - static_cast<int>(digits.size() - 1);
    while (digits.size() > 1 && digits.back() == '0') {
      digits.pop_back();
      ++exponent;
    }
    std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
    return text.size() <= xTextLength ? text : std::string();
  } else {
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) std::abort();
    return std::string(buffer, end);
  }
}

struct Reading {
  ReadOutcome outcome;
  std::optional<bool> sign;  // of an accepted value
  bool zero = false;
};

template <IeeeBinary T>
Reading checkFormat(std::string_view text) {
  // 1.
  T value = untouchedMarker<T>();
  const ReadOutcome outcome = readDecimal(text, value);
  if (outcome != ReadOutcome::Ok) {
    if (!sameBits(value, untouchedMarker<T>())) fault<T>("value written without a number", value);
    return Reading{outcome, std::nullopt, false};
  }

  // 2.
  if (!(value == value) || value - value != 0) fault<T>("accepted value is not finite", value);
  bool overflow = false;
  const T expected = test::roundDecimal<T>(numberToken(text), overflow);
  if (overflow) fault<T>("accepted a number that overflows", value);
  if (!sameBits(value, expected)) fault<T>("not the correctly rounded value", value, expected);

  // 3.
  if (!sameBits(decodeBits<T>(encodeBits(value)), value)) fault<T>("encoding does not decode", value);
  const std::string identifying = identifyingText(value);
  if (!identifying.empty()) {
    T again = untouchedMarker<T>();
    if (readDecimal(identifying, again) != ReadOutcome::Ok || !sameBits(again, value))
      fault<T>(("shortest text does not read back: " + identifying).c_str(), again, value);
  }

  // 4.
  const std::string shown = formatValue(value, PrintStyle::XDisplay);
  T reread = untouchedMarker<T>();
  if (readDecimal(shown, reread) != ReadOutcome::Ok)
    fault<T>(("X as shown is not read: " + shown).c_str(), value);
  const T nearestShown = test::roundDecimal<T>(numberToken(shown), overflow);
  if (!sameBits(reread, nearestShown))
    fault<T>(("X as shown does not read back correctly rounded: " + shown).c_str(), reread, nearestShown);
  if (std::same_as<T, Binary64> && !sameBits(reread, value))
    fault<T>(("17 digits do not identify the value: " + shown).c_str(), reread, value);
  return Reading{outcome, signBit(value), isZero(value)};
}

// 6.
template <IeeeBinary T>
void checkScannerAgrees(std::string_view text) {
  text = text.substr(0, xTextLength - 1);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return;
  const char c = text[first];
  if (!(c == '.' || (c >= '0' && c <= '9'))) return;
  std::string signed_(text);
  signed_.insert(first, 1, '+');
  T plain = untouchedMarker<T>(), scanned = untouchedMarker<T>();
  const ReadOutcome plainOutcome = readDecimal(text, plain);
  if (readDecimal(signed_, scanned) != plainOutcome || !sameBits(plain, scanned))
    fault<T>("a \"+\" sign changes the reading", scanned, plain);
}

// 8.
template <IeeeBinary T>
void checkWholeText(std::string_view text, std::size_t split) {
  T whole = untouchedMarker<T>(), pieces = untouchedMarker<T>();
  DecimalScanner scanner;
  scanner.feed(text);
  const ReadOutcome outcome = scanner.read(whole);
  scanner.reset();
  scanner.feed(text.substr(0, split));
  scanner.feed(text.substr(std::min(split, text.size())));
  if (scanner.read(pieces) != outcome || !sameBits(whole, pieces))
    fault<T>("the scanner reads the text in two pieces otherwise", pieces, whole);
  if (text.size() <= xTextLength) {
    T window = untouchedMarker<T>();
    if (readDecimal(text, window) != outcome || !sameBits(window, whole))
      fault<T>("the scanner and the X text read a short text otherwise", whole, window);
  }
  if (outcome != ReadOutcome::Ok) {
    if (!sameBits(whole, untouchedMarker<T>())) fault<T>("scanner wrote a value without a number", whole);
    return;
  }
  bool overflow = false;
  const T expected = test::roundDecimal<T>(numberToken(text, text.size()), overflow);
  if (overflow) fault<T>("scanner accepted a number that overflows", whole);
  if (!sameBits(whole, expected)) fault<T>("scanner: not the correctly rounded value", whole, expected);
}

// 7.
template <IeeeBinary T>
void checkSpecialEncoding(const SpecialText& special) {
  const BitFields fields = showSpecialEncoding(FormatTraits<T>::format.formatBytes, special);
  const T shown = decodeBits<T>(fields);
  const char signChar = special.isInfinite ? special.infSignChar : special.nanSignChar;
  if (signBit(shown) != (signChar == '1')) fault<T>("special encoding has the wrong sign", shown);
  const bool nan = !(shown == shown);
  const bool infinite = !nan && shown - shown != 0;
  if (special.isInfinite ? !infinite : !nan) fault<T>("special encoding is not what its name says", shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  g_input = text;

  const Reading r32 = checkFormat<Binary32>(text);
  const Reading r64 = checkFormat<Binary64>(text);
  const Reading r128 = checkFormat<Binary128>(text);

  // 5.
  const bool noValue = r32.outcome == ReadOutcome::NoValue;
  if ((r64.outcome == ReadOutcome::NoValue) != noValue || (r128.outcome == ReadOutcome::NoValue) != noValue)
    fault<Binary32>("the formats disagree on whether there is a number", 0.0f);
  if ((r32.sign && !r64.sign) || (r64.sign && !r128.sign))
    fault<Binary32>("finite in a narrower format, not in a wider one", 0.0f);
  if (r32.sign && r64.sign && (*r32.sign != *r64.sign || (r64.zero && !r32.zero)))
    fault<Binary32>("Binary32 and Binary64 disagree on sign or zero", 0.0f);
  if (r64.sign && r128.sign && (*r64.sign != *r128.sign || (r128.zero && !r64.zero)))
    fault<Binary64>("Binary64 and Binary128 disagree on sign or zero", 0.0);

  checkScannerAgrees<Binary32>(text);
  checkScannerAgrees<Binary64>(text);

  // 8.
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  checkWholeText<Binary32>(text, split);
  checkWholeText<Binary64>(text, split);
  checkWholeText<Binary128>(text, split);

  // 7.
  SpecialText special;
  detectSpecialText(text, special);
  if (special.isNaN && special.isInfinite) fault<Binary32>("both NaN and infinity", 0.0f);
  if (special.isNaN || special.isInfinite) {
    if (r32.outcome == ReadOutcome::Ok || r64.outcome == ReadOutcome::Ok || r128.outcome == ReadOutcome::Ok)
      fault<Binary32>("a name of a special value read as a number", 0.0f);
    checkSpecialEncoding<Binary32>(special);
    checkSpecialEncoding<Binary64>(special);
    checkSpecialEncoding<Binary128>(special);
  }
  return 0;
}
