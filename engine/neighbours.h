// SPDX-License-Identifier: MIT
// The nearest neighbours of a value, its ULP and Delta, in the value's own format.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/format.h"
#include "engine/language.h"
#include "engine/numbers.h"

namespace bitscope {

// IEEE 754 nextUp / nextDown, taken on the encoding: the nearest value of the format above
// (below) x. From either zero: +smallestSubnormal (-smallestSubnormal). nextUp of the
// largest finite value and of +infinity is +infinity; nextDown of +infinity is the largest
// finite value (and symmetrically). A NaN gives a NaN.
template <IeeeBinary T>
T nextUp(T x);
template <IeeeBinary T>
T nextDown(T x);

// ULP(x) with precision p: for |x| >= smallestNormal, 2^(e - p) where x = f * 2^e and
// 0.5 <= |f| < 1 (exact); otherwise (zero, subnormal, NaN) smallestSubnormal.
// For an infinity the result is +infinity (the window never asks).
template <IeeeBinary T>
T ulpOf(T x);

// Delta(x): the smallest positive value that, added to |x| in the format's arithmetic
// (round to nearest, ties to even), changes it. Computed in four steps:
// 1. u = ulpOf(x).
// 2. |x| < smallestNormal (zero, subnormal): Delta = u = smallestSubnormal.
// 3. u == smallestSubnormal (the lowest normal binade; also a NaN): smallestSubnormal.
// 4. h = u * 0.5; an even significand: h + ulpOf(h) (|x| + h is a tie that rounds back to
//    |x|, so the next value above h is needed); an odd one: h (the tie rounds away).
// For an infinity the result is +infinity (the window never asks).
template <IeeeBinary T>
T deltaOf(T x);

// X + Delta(X), rounded in the format (for a positive X this is nextUp(X)).
template <IeeeBinary T>
T plusDelta(T x);

// The same operations on the slot of format formatBytes: a copy of values with that slot
// replaced by the result (values unchanged for any other formatBytes).
FormatValues nextUp(int formatBytes, const FormatValues& values);
FormatValues nextDown(int formatBytes, const FormatValues& values);
FormatValues ulpOf(int formatBytes, const FormatValues& values);
FormatValues deltaOf(int formatBytes, const FormatValues& values);
FormatValues plusDelta(int formatBytes, const FormatValues& values);

// What the value box and its label show for the neighbours (parameter list items 4 and 5).
struct NeighbourView {
  std::string value;    // at most neighbourTextLimit characters
  BilingualText label;  // leading blanks kept: the window shows them
};

inline constexpr std::size_t neighbourTextLimit = 64;

// listItem 4 shows nextUp(X), any other item nextDown(X). Unchecked (showBits false): the
// neighbour in the NeighbourDecimal style, labels "      Nearest, > X" / "      Nearest, < X".
// Checked: its encoding, "S_E_T" for Binary32, "S_E_..." and the last 16 bits for Binary64
// and Binary128, with the matching labels. Empty for a bad formatBytes.
NeighbourView neighbourView(int formatBytes, const FormatValues& values, int listItem, bool showBits);

// The parts of neighbourView: the value text of the neighbour y itself (nextUp(X) or
// nextDown(X)), written into text, its storage reused; and the label of one language.
template <IeeeBinary T>
void neighbourText(T neighbour, bool showBits, std::string& text);
std::string_view neighbourLabel(const FormatSpec& format, bool up, bool showBits, Language language);

}  // namespace bitscope
