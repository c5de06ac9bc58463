// SPDX-License-Identifier: MIT
// The parameter list: seven views of the current X, each a value text and its caption.
#pragma once

#include <array>
#include <string>

#include "engine/bitfields.h"
#include "engine/language.h"
#include "engine/numbers.h"

namespace bitscope {

// Indices of the parameter list's items (as the list box numbers them, from 1).
enum class ParameterItem : int {
  Exponent = 1,
  Significand = 2,
  Ulp = 3,
  NextUp = 4,    // X+
  NextDown = 5,  // X-
  Delta = 6,
  XPlusDelta = 7,
};

// The seven item texts of the list in a language, in list order.
std::array<std::string, 7> parameterListItems(Language language);

// A view: the text for the value box and the caption for its label. The value has no
// leading or trailing blanks; a caption keeps its leading blanks, which the window shows.
struct ViewText {
  std::string value;
  std::string caption;

  bool operator==(const ViewText&) const = default;
};

// Item 1: the unbiased exponent e read from the exponent box E (an unsigned binary number,
// read as decodeBits reads): 1 - bias for a zero or subnormal, else E - bias. Caption
// "Representation Exponent" / "Exponentul reprezentarii" and " (Emin)" when expTopZeros,
// else " (Emax)" when expTopOnes, else " (E)".
ViewText exponentView(int formatBytes, const BitFields& fields, const Classification& flags,
                      Language language);

// Item 2: the significand m = T * 2^-t read from the significand field, plus 1 unless
// zero or subnormal, computed exactly in the format (a T typed in two parts:
// T1 * 2^-split + T2 * 2^-t, both unsigned), in the Significand style; empty value unless isFinite.
// Caption "     Significand" / "     Semnificand".
ViewText significandView(int formatBytes, const BitFields& fields, const Classification& flags,
                         Language language);

// Item 3: ulpOf(X) in the NeighbourDecimal style; caption "        ULP(X)".
ViewText ulpView(int formatBytes, const FormatValues& values);

// Item 6: deltaOf(X) in the DeltaStyle; caption by language and by X > 0.
ViewText deltaView(int formatBytes, const FormatValues& values, Language language);

// Item 7: X + deltaOf(X) in the DeltaStyle; caption "X + Delta" when X > 0, else
// "|X| + Delta" (the same in both languages).
ViewText xPlusDeltaView(int formatBytes, const FormatValues& values);

// Items 4 and 5: the neighbour display (neighbourView) with the label of the language.
ViewText neighbourItemView(int formatBytes, const FormatValues& values, int listItem, bool showBits,
                           Language language);

// Every view at once, as a report of X shows them: items 1 to 7, the neighbour items both
// unchecked (decimal) and checked (encoding); captions and labels in one language.
struct ParameterViews {
  ViewText exponent, significand, ulp;
  ViewText nextUp, nextDown;          // items 4 and 5 unchecked
  ViewText nextUpBits, nextDownBits;  // items 4 and 5 checked
  ViewText delta, xPlusDelta;

  bool operator==(const ParameterViews&) const = default;
};

// Fills views with exactly the texts of the single-view functions above, computing each
// quantity once (each neighbour, Delta) and writing into the strings views already holds:
// refilling one record value after value allocates nothing once its strings have grown.
// Every text is empty for a bad formatBytes.
void parameterViews(int formatBytes, const FormatValues& values, const BitFields& fields,
                    const Classification& flags, Language language, ParameterViews& views);

// The same for a value of any format, the 16-bit ones included.
template <IeeeBinary T>
void parameterViews(T x, const BitFields& fields, const Classification& flags, Language language,
                    ParameterViews& views);

// The view of list item listItem (1 to 7); an empty ViewText for any other index or a bad
// formatBytes. showBits is the check box of the neighbour items.
ViewText parameterView(int listItem, int formatBytes, const FormatValues& values, const BitFields& fields,
                       const Classification& flags, Language language, bool showBits);

}  // namespace bitscope
