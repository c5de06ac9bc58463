// SPDX-License-Identifier: MIT
#include "engine/views.h"

#include "engine/decimal_text.h"
#include "engine/encoding.h"
#include "engine/neighbours.h"

namespace bitscope {

std::array<std::string, 7> parameterListItems(Language language) {
  return {"Exponent",
          language == Language::Romanian ? "Semnificand" : "Significand",
          "ULP",
          "X+ = Nearest(x,+1.0)",
          "X- = Nearest(x,-1.0)",
          "Delta(X)",
          "X +Delta(X)"};  // the lopsided blank is the item's wording: keep it
}

namespace {

bool isRomanian(Language language) { return language == Language::Romanian; }

// Characters first to first + width of a field, or fewer where the text is shorter: what a
// part cut to its width holds, but for the padding blanks, which reading skips anyway.
std::string_view partDigits(std::string_view field, std::size_t first, std::size_t width) {
  return first < field.size() ? field.substr(first, width) : std::string_view();
}

// m = T * 2^-t + (normal ? 1 : 0), exactly in format T. T < 2^t <= 2^(p-1) converts to the
// format without rounding, and scaling by a power of two is exact; a T typed in two parts
// (significandSplit characters, then the rest) is read as two unsigned numbers,
// T1 * 2^-split + T2 * 2^-t, whose sum has at most t significant bits, so it is exact too.
template <IeeeBinary T>
T significandValue(const BitFields& fields, const Classification& flags) {
  constexpr const FormatSpec& f = FormatTraits<T>::format;
  T m = 0;
  if (const std::size_t split = fields.significandSplit; split > 0) {
    const int t1 = static_cast<int>(split);
    const int t2 = f.t - t1;
    m = static_cast<T>(detail::readBinaryDigits({partDigits(fields.T, 0, split)}, t1)) *
            exactPowerOfTwo<T>(-t1) +
        static_cast<T>(
            detail::readBinaryDigits({partDigits(fields.T, split, static_cast<std::size_t>(t2))}, t2)) *
            exactPowerOfTwo<T>(-f.t);
  } else {
    m = static_cast<T>(detail::readBinaryDigits({fields.T}, f.t)) * exactPowerOfTwo<T>(-f.t);
  }
  if (!(flags.isSubnormal || flags.isZero)) m += 1;
  return m;
}

// Each view is written into a ViewText whose strings keep their storage; the single-view
// functions and parameterViews share these.

void fillExponentView(const FormatSpec& f, const BitFields& fields, const Classification& flags,
                      Language language, ViewText& view) {
  // Codes 0 (zero, subnormal) and 1 both mean emin = 1 - bias; other codes E - bias.
  const auto code = static_cast<long long>(detail::readBinaryDigits({fields.E}, f.w));
  const long long e = flags.isSubnormal || flags.isZero ? 1 - f.bias : code - f.bias;
  formatInteger(e, view.value);
  view.caption.assign(isRomanian(language) ? "Exponentul reprezentarii" : "Representation Exponent");
  view.caption += flags.expTopZeros ? " (Emin)" : flags.expTopOnes ? " (Emax)" : " (E)";
}

template <IeeeBinary T>
void fillSignificandView(const BitFields& fields, const Classification& flags, Language language,
                         ViewText& view) {
  if (flags.isFinite)
    formatValue(significandValue<T>(fields, flags), PrintStyle::Significand, view.value);
  else
    view.value.clear();
  view.caption.assign(isRomanian(language) ? "     Semnificand" : "     Significand");
}

template <IeeeBinary T>
void fillUlpView(T x, ViewText& view) {
  formatValue(ulpOf(x), PrintStyle::NeighbourDecimal, view.value);
  view.caption.assign("        ULP(X)");
}

template <IeeeBinary T>
void fillNeighbourView(T neighbour, bool up, bool showBits, Language language, ViewText& view) {
  neighbourText(neighbour, showBits, view.value);
  view.caption.assign(neighbourLabel(FormatTraits<T>::format, up, showBits, language));
}

// Items 6 and 7 take Delta = deltaOf(x) computed by the caller; x > 0 (false for zeros,
// negative values and NaNs) chooses their captions.
template <IeeeBinary T>
void fillDeltaView(T x, T delta, Language language, ViewText& view) {
  formatValue(delta, PrintStyle::DeltaStyle, view.value);
  const bool positive = x > 0;
  view.caption.assign(
      isRomanian(language)
          ? (positive ? "Delta (minim):  X + Delta > X" : "Delta (minim): |X| + Delta > |X|")
          : (positive ? "Delta (Smallest): X + Delta > X" : "Delta (Smallest): |X| + Delta > |X|"));
}

template <IeeeBinary T>
void fillXPlusDeltaView(T x, T delta, ViewText& view) {
  const T sum = x + delta;  // plusDelta(x), with Delta already at hand
  formatValue(sum, PrintStyle::DeltaStyle, view.value);
  view.caption.assign(x > 0 ? "X + Delta" : "|X| + Delta");
}

// The view that fill(FormatTag<T>{}, view) writes for the format of formatBytes; an empty
// view for any other formatBytes.
template <class Fill>
ViewText viewOf(int formatBytes, Fill fill) {
  ViewText view;
  if (!withFormat(formatBytes, [&]<class T>(FormatTag<T> tag) { fill(tag, view); })) return {};
  return view;
}

}  // namespace

ViewText exponentView(int formatBytes, const BitFields& fields, const Classification& flags,
                      Language language) {
  return viewOf(formatBytes, [&]<class T>(FormatTag<T>, ViewText& view) {
    fillExponentView(FormatTraits<T>::format, fields, flags, language, view);
  });
}

ViewText significandView(int formatBytes, const BitFields& fields, const Classification& flags,
                         Language language) {
  return viewOf(formatBytes, [&]<class T>(FormatTag<T>, ViewText& view) {
    fillSignificandView<T>(fields, flags, language, view);
  });
}

ViewText ulpView(int formatBytes, const FormatValues& values) {
  return viewOf(formatBytes,
                [&]<class T>(FormatTag<T>, ViewText& view) { fillUlpView(values.slot<T>(), view); });
}

ViewText deltaView(int formatBytes, const FormatValues& values, Language language) {
  return viewOf(formatBytes, [&]<class T>(FormatTag<T>, ViewText& view) {
    const T x = values.slot<T>();
    fillDeltaView(x, deltaOf(x), language, view);
  });
}

ViewText xPlusDeltaView(int formatBytes, const FormatValues& values) {
  return viewOf(formatBytes, [&]<class T>(FormatTag<T>, ViewText& view) {
    const T x = values.slot<T>();
    fillXPlusDeltaView(x, deltaOf(x), view);
  });
}

ViewText neighbourItemView(int formatBytes, const FormatValues& values, int listItem, bool showBits,
                           Language language) {
  const bool up = listItem == static_cast<int>(ParameterItem::NextUp);
  return viewOf(formatBytes, [&]<class T>(FormatTag<T>, ViewText& view) {
    const T x = values.slot<T>();
    fillNeighbourView(up ? nextUp(x) : nextDown(x), up, showBits, language, view);
  });
}

template <IeeeBinary T>
void parameterViews(T x, const BitFields& fields, const Classification& flags, Language language,
                    ParameterViews& views) {
  const T up = nextUp(x);
  const T down = nextDown(x);
  const T delta = deltaOf(x);
  fillExponentView(FormatTraits<T>::format, fields, flags, language, views.exponent);
  fillSignificandView<T>(fields, flags, language, views.significand);
  fillUlpView(x, views.ulp);
  fillNeighbourView(up, true, false, language, views.nextUp);
  fillNeighbourView(down, false, false, language, views.nextDown);
  fillNeighbourView(up, true, true, language, views.nextUpBits);
  fillNeighbourView(down, false, true, language, views.nextDownBits);
  fillDeltaView(x, delta, language, views.delta);
  fillXPlusDeltaView(x, delta, views.xPlusDelta);
}

void parameterViews(int formatBytes, const FormatValues& values, const BitFields& fields,
                    const Classification& flags, Language language, ParameterViews& views) {
  const bool known = withFormat(formatBytes, [&]<class T>(FormatTag<T>) {
    parameterViews(values.slot<T>(), fields, flags, language, views);
  });
  if (!known) views = ParameterViews{};
}

ViewText parameterView(int listItem, int formatBytes, const FormatValues& values, const BitFields& fields,
                       const Classification& flags, Language language, bool showBits) {
  switch (static_cast<ParameterItem>(listItem)) {
    case ParameterItem::Exponent:
      return exponentView(formatBytes, fields, flags, language);
    case ParameterItem::Significand:
      return significandView(formatBytes, fields, flags, language);
    case ParameterItem::Ulp:
      return ulpView(formatBytes, values);
    case ParameterItem::NextUp:
    case ParameterItem::NextDown:
      return neighbourItemView(formatBytes, values, listItem, showBits, language);
    case ParameterItem::Delta:
      return deltaView(formatBytes, values, language);
    case ParameterItem::XPlusDelta:
      return xPlusDeltaView(formatBytes, values);
  }
  return {};  // any other index selects no view
}

template void parameterViews(Binary32, const BitFields&, const Classification&, Language, ParameterViews&);
template void parameterViews(Binary64, const BitFields&, const Classification&, Language, ParameterViews&);
template void parameterViews(Binary128, const BitFields&, const Classification&, Language, ParameterViews&);
template void parameterViews(Binary16, const BitFields&, const Classification&, Language, ParameterViews&);
template void parameterViews(BFloat16, const BitFields&, const Classification&, Language, ParameterViews&);

}  // namespace bitscope
