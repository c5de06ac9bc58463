// SPDX-License-Identifier: MIT
#include "engine/neighbours.h"

#include "engine/decimal_text.h"
#include "engine/encoding.h"

namespace bitscope {

// Next value up, on the encoding. Between the zeros and the infinities the encodings of
// the positive values grow with the value and those of the negative values shrink with it,
// so one step of the integer S|E|T is one step of the value:
// 1. A NaN stays itself; +infinity is the top.
// 2. Either zero: the step crosses to +smallestSubnormal.
// 3. Positive: encoding + 1 (the largest finite value steps to +infinity).
// 4. Negative: encoding - 1 (-smallestSubnormal steps to -0, -infinity to the most
//    negative finite value).
template <IeeeBinary T>
T nextUp(T x) {
  detail::Encoding<T> encoding(x);
  if (encoding.isNaN() || (encoding.isInfinite() && !encoding.sign())) return x;
  if ((encoding.bits & ~encoding.signMask) == 0) return smallestSubnormal<T>;
  if (encoding.sign())
    --encoding.bits;
  else
    ++encoding.bits;
  return std::bit_cast<T>(encoding.bits);
}

template <IeeeBinary T>
T nextDown(T x) {
  if (detail::Encoding<T>(x).isNaN()) return x;
  return -nextUp(-x);  // the mirror image: negation flips only the sign bit
}

template <IeeeBinary T>
T ulpOf(T x) {
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  const detail::Encoding<T> encoding(x);
  if (encoding.isInfinite()) return detail::Encoding<T>::infinity();
  // Step 2 first: zero, subnormal (biased exponent 0) and NaN have the subnormal spacing.
  if (encoding.isNaN() || encoding.biasedExponent() == 0) return smallestSubnormal<T>;
  // Step 1: |x| = 1.T * 2^(E - bias) = f * 2^e with 0.5 <= f < 1, so e = E - bias + 1, and
  // the last of the p significand bits weighs 2^(e - p).
  const int e = static_cast<int>(encoding.biasedExponent()) - f.bias + 1;
  return exactPowerOfTwo<T>(e - f.p);
}

template <IeeeBinary T>
T deltaOf(T x) {
  const detail::Encoding<T> encoding(x);
  if (encoding.isInfinite()) return detail::Encoding<T>::infinity();
  const T u = ulpOf(x);                                               // step 1
  if (!encoding.isNaN() && encoding.biasedExponent() == 0) return u;  // step 2
  if (u == smallestSubnormal<T>) return smallestSubnormal<T>;         // step 3
  const T h = u * T(0.5);                                             // step 4
  return lowBitIsZero(x) ? h + ulpOf(h) : h;
}

template <IeeeBinary T>
T plusDelta(T x) {
  return x + deltaOf(x);
}

namespace {

template <class Op>
FormatValues applied(int formatBytes, const FormatValues& values, Op op) {
  FormatValues result = values;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { result.slot<T>() = op(values.slot<T>()); });
  return result;
}

}  // namespace

FormatValues nextUp(int formatBytes, const FormatValues& values) {
  return applied(formatBytes, values, [](auto x) { return nextUp(x); });
}
FormatValues nextDown(int formatBytes, const FormatValues& values) {
  return applied(formatBytes, values, [](auto x) { return nextDown(x); });
}
FormatValues ulpOf(int formatBytes, const FormatValues& values) {
  return applied(formatBytes, values, [](auto x) { return ulpOf(x); });
}
FormatValues deltaOf(int formatBytes, const FormatValues& values) {
  return applied(formatBytes, values, [](auto x) { return deltaOf(x); });
}
FormatValues plusDelta(int formatBytes, const FormatValues& values) {
  return applied(formatBytes, values, [](auto x) { return plusDelta(x); });
}

// The neighbour's encoding as shown: all of it for Binary32 ("S_E_T", 34 characters); the
// sign, the exponent and only the last 16 bits for the wider formats ("S_E_...bbbb").
template <IeeeBinary T>
void neighbourText(T neighbour, bool showBits, std::string& text) {
  if (!showBits) {
    formatValue(neighbour, PrintStyle::NeighbourDecimal, text);
  } else {
    using Enc = detail::Encoding<T>;
    constexpr int k = Enc::format.k;
    constexpr int w = Enc::format.w;
    constexpr int lastBits = 16;
    char digits[k];
    detail::writeBinaryDigits(digits, Enc(neighbour).bits, k);
    text.assign(1, digits[0]);  // S
    text += '_';
    text.append(digits + 1, w);
    text += '_';
    if constexpr (Enc::format.k <= 32) {
      text.append(digits + 1 + w, k - 1 - w);
    } else {
      text += "...";
      text.append(digits + k - lastBits, lastBits);
    }
  }
  if (text.size() > neighbourTextLimit) text.resize(neighbourTextLimit);
}

std::string_view neighbourLabel(const FormatSpec& format, bool up, bool showBits, Language language) {
  const bool romanian = language == Language::Romanian;
  if (!showBits) return up ? "      Nearest, > X" : "      Nearest, < X";
  if (format.k <= 32)  // the whole encoding is shown
    return up ? "      Nearest > X  (S_Exp_Sig)" : "      Nearest < X  (S_Exp_Sig)";
  // "Nearest" stays English in the Romanian labels, and Binary64's X- label has a comma
  // where the others have a semicolon: both intended, the labels read exactly so.
  if (up)
    return romanian ? "Nearest > X; Semnificand: ultimii 16 biti" : "Nearest > X; Significand: last 16 bits";
  if (format.formatBytes == 8)
    return romanian ? "Nearest < X, Semnificand: ultimii 16 biti" : "Nearest < X, Significand: last 16 bits";
  return romanian ? "Nearest < X; Semnificand: ultimii 16 biti" : "Nearest < X; Significand: last 16 bits";
}

NeighbourView neighbourView(int formatBytes, const FormatValues& values, int listItem, bool showBits) {
  const FormatSpec* format = findFormat(formatBytes);
  if (format == nullptr) return {};
  const bool up = listItem == 4;
  NeighbourView view;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) {
    const T x = values.slot<T>();
    neighbourText(up ? nextUp(x) : nextDown(x), showBits, view.value);
  });
  view.label = {std::string(neighbourLabel(*format, up, showBits, Language::Romanian)),
                std::string(neighbourLabel(*format, up, showBits, Language::English))};
  return view;
}

template void neighbourText(Binary32, bool, std::string&);
template void neighbourText(Binary64, bool, std::string&);
template void neighbourText(Binary128, bool, std::string&);
template void neighbourText(Binary16, bool, std::string&);
template void neighbourText(BFloat16, bool, std::string&);
template Binary32 nextUp(Binary32);
template Binary64 nextUp(Binary64);
template Binary128 nextUp(Binary128);
template Binary16 nextUp(Binary16);
template BFloat16 nextUp(BFloat16);
template Binary32 nextDown(Binary32);
template Binary64 nextDown(Binary64);
template Binary128 nextDown(Binary128);
template Binary16 nextDown(Binary16);
template BFloat16 nextDown(BFloat16);
template Binary32 ulpOf(Binary32);
template Binary64 ulpOf(Binary64);
template Binary128 ulpOf(Binary128);
template Binary16 ulpOf(Binary16);
template BFloat16 ulpOf(BFloat16);
template Binary32 deltaOf(Binary32);
template Binary64 deltaOf(Binary64);
template Binary128 deltaOf(Binary128);
template Binary16 deltaOf(Binary16);
template BFloat16 deltaOf(BFloat16);
template Binary32 plusDelta(Binary32);
template Binary64 plusDelta(Binary64);
template Binary128 plusDelta(Binary128);
template Binary16 plusDelta(Binary16);
template BFloat16 plusDelta(BFloat16);

}  // namespace bitscope
