// SPDX-License-Identifier: MIT
#include "engine/bitfields.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "engine/encoding.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

namespace {

// True when each of the first n characters of field is c (a missing character is not).
bool allOf(std::string_view field, int n, char c) {
  if (field.size() < static_cast<std::size_t>(n)) return false;
  return std::all_of(field.begin(), field.begin() + n, [c](char x) { return x == c; });
}

}  // namespace

// Encoding: the storage written as an unsigned binary number of exactly k digits, most
// significant first, then cut after 1 and 1 + w characters.
template <IeeeBinary T>
void encodeBits(T value, BitFields& fields) {
  using Enc = detail::Encoding<T>;
  constexpr int k = Enc::format.k;
  constexpr int w = Enc::format.w;
  char digits[k];
  detail::writeBinaryDigits(digits, Enc(value).bits, k);
  fields.S.assign(1, digits[0]);
  fields.E.assign(digits + 1, w);
  fields.T.assign(digits + 1 + w, k - 1 - w);
}

template <IeeeBinary T>
BitFields encodeBits(T value) {
  BitFields fields;
  encodeBits(value, fields);
  return fields;
}

BitFields encodeBits(int formatBytes, const FormatValues& values) {
  BitFields fields;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { encodeBits(values.slot<T>(), fields); });
  return fields;
}

// Base 16 groups the k binary digits four to a digit.
template <IeeeBinary T>
void encodeHex(T value, std::string& hex) {
  using Enc = detail::Encoding<T>;
  constexpr int k = Enc::format.k;
  char digits[k / 4];
  detail::writeHexDigits(digits, Enc(value).bits, k);
  hex.assign(digits, k / 4);
}

template <IeeeBinary T>
std::string encodeHex(T value) {
  std::string hex;
  encodeHex(value, hex);
  return hex;
}

// Decoding: the digits are the storage; no arithmetic touches the value.
template <IeeeBinary T>
T decodeBitText(std::string_view digits) {
  using Enc = detail::Encoding<T>;
  return std::bit_cast<T>(static_cast<typename Enc::Bits>(detail::readBinaryDigits({digits}, Enc::format.k)));
}

template <IeeeBinary T>
T decodeBits(const BitFields& fields) {
  using Enc = detail::Encoding<T>;
  return std::bit_cast<T>(static_cast<typename Enc::Bits>(
      detail::readBinaryDigits({fields.S, fields.E, fields.T}, Enc::format.k)));
}

void decodeBits(int formatBytes, const BitFields& fields, FormatValues& values) {
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { values.slot<T>() = decodeBits<T>(fields); });
}

Classification classifyBits(int w, std::string_view E, int t, std::string_view T) {
  // Step 1: the three field tests. Step 2: the kinds. Step 3: the top w - 1 exponent bits,
  // which leave the last bit free (codes 0 and 1 both mean emin).
  const bool zeroE = allOf(E, w, '0');
  const bool onesE = allOf(E, w, '1');
  const bool zeroT = allOf(T, t, '0');
  Classification c;
  c.isZero = zeroE && zeroT;
  c.isSubnormal = zeroE && !zeroT;
  c.isInfinite = onesE && zeroT;
  c.isNaN = onesE && !zeroT;
  c.isFinite = !(c.isInfinite || c.isNaN);
  c.isNonzeroFinite = !(c.isZero || c.isInfinite || c.isNaN);
  c.expTopOnes = allOf(E, w - 1, '1');
  c.expTopZeros = allOf(E, w - 1, '0');
  return c;
}

Classification classifyBits(const FormatSpec& format, const BitFields& fields) {
  return classifyBits(format.w, fields.E, format.t, fields.T);
}

namespace {

// The kinds of datum, in the order in which the flags choose them.
enum class DatumKind : std::size_t { Zero, Subnormal, Infinite, NaN, Normal };

DatumKind kindOf(const Classification& flags) {
  if (flags.isZero) return DatumKind::Zero;
  if (flags.isSubnormal) return DatumKind::Subnormal;
  if (flags.isInfinite) return DatumKind::Infinite;
  if (flags.isNaN) return DatumKind::NaN;
  return DatumKind::Normal;
}

// The text of each kind, Romanian then English; the normal kind's text goes on with the
// format's byte count and ")".
constexpr std::array<std::array<std::string_view, 2>, 5> kindTexts{{
    {"Zero cu semn", "Signed Zero"},
    {"Numar denormalizat", "Denormalized Number"},
    {"Infinit cu semn", "Signed Infinity"},
    {"Non-Numar", "Not-a-Number"},
    {"Numar normalizat: Real(", "Normalized Number: Real("},
}};

std::size_t languageIndex(Language language) { return language == Language::Romanian ? 0 : 1; }

std::string kindText(DatumKind kind, Language language, int formatBytes) {
  std::string text(kindTexts[static_cast<std::size_t>(kind)][languageIndex(language)]);
  if (kind == DatumKind::Normal) {
    text += std::to_string(formatBytes);
    text += ')';
  }
  return text;
}

}  // namespace

BilingualText describeDataType(int formatBytes, const Classification& flags) {
  constexpr std::size_t width = 30;
  const DatumKind kind = kindOf(flags);
  return {paddedTo(kindText(kind, Language::Romanian, formatBytes), width),
          paddedTo(kindText(kind, Language::English, formatBytes), width)};
}

std::string_view dataTypeName(const FormatSpec& format, const Classification& flags, Language language) {
  const DatumKind kind = kindOf(flags);
  if (kind != DatumKind::Normal) return kindTexts[static_cast<std::size_t>(kind)][languageIndex(language)];
  // The normal texts of the storage widths, made once (thread-safe static initialisation).
  // Both 16-bit formats take 2 bytes and share "Real(2)".
  constexpr std::array<int, 4> widths{2, 4, 8, 16};
  static const auto normalTexts = [&] {
    std::array<std::array<std::string, 2>, widths.size()> texts;
    for (std::size_t f = 0; f < widths.size(); ++f)
      for (const Language l : {Language::Romanian, Language::English})
        texts[f][languageIndex(l)] = kindText(DatumKind::Normal, l, widths[f]);
    return texts;
  }();
  const auto f =
      static_cast<std::size_t>(std::find(widths.begin(), widths.end(), format.formatBytes) - widths.begin());
  assert(f < widths.size());
  return normalTexts[f][languageIndex(language)];
}

template <IeeeBinary T>
bool lowBitIsZero(T value) {
  return (detail::Encoding<T>(value).bits & 1U) == 0;
}

bool lowBitIsZero(int formatBytes, const FormatValues& values) {
  bool even = false;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { even = lowBitIsZero(values.slot<T>()); });
  return even;
}

template BitFields encodeBits(Binary32);
template BitFields encodeBits(Binary64);
template BitFields encodeBits(Binary128);
template BitFields encodeBits(Binary16);
template BitFields encodeBits(BFloat16);
template void encodeBits(Binary32, BitFields&);
template void encodeBits(Binary64, BitFields&);
template void encodeBits(Binary128, BitFields&);
template void encodeBits(Binary16, BitFields&);
template void encodeBits(BFloat16, BitFields&);
template std::string encodeHex(Binary32);
template std::string encodeHex(Binary64);
template std::string encodeHex(Binary128);
template std::string encodeHex(Binary16);
template std::string encodeHex(BFloat16);
template void encodeHex(Binary32, std::string&);
template void encodeHex(Binary64, std::string&);
template void encodeHex(Binary128, std::string&);
template void encodeHex(Binary16, std::string&);
template void encodeHex(BFloat16, std::string&);
template Binary32 decodeBits<Binary32>(const BitFields&);
template Binary64 decodeBits<Binary64>(const BitFields&);
template Binary128 decodeBits<Binary128>(const BitFields&);
template Binary16 decodeBits<Binary16>(const BitFields&);
template BFloat16 decodeBits<BFloat16>(const BitFields&);
template Binary32 decodeBitText<Binary32>(std::string_view);
template Binary64 decodeBitText<Binary64>(std::string_view);
template Binary128 decodeBitText<Binary128>(std::string_view);
template Binary16 decodeBitText<Binary16>(std::string_view);
template BFloat16 decodeBitText<BFloat16>(std::string_view);
template bool lowBitIsZero(Binary32);
template bool lowBitIsZero(Binary64);
template bool lowBitIsZero(Binary128);
template bool lowBitIsZero(Binary16);
template bool lowBitIsZero(BFloat16);

}  // namespace bitscope
