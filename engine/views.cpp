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
            "X +Delta(X)"};
}

namespace {

bool isRomanian(Language language) { return language == Language::Romanian; }

// X > 0 in the current format (false for zeros, negative values and NaNs).
bool isPositive(int formatBytes, const FormatValues& values) {
    bool positive = false;
    withFormat(formatBytes, [&]<class T>(FormatTag<T>) { positive = values.slot<T>() > 0; });
    return positive;
}

// m = T * 2^-t + (normal ? 1 : 0), exactly in format T. T < 2^t <= 2^(p-1) converts to the
// format without rounding, and scaling by a power of two is exact; for Binary128 the two
// boxes are read separately as unsigned numbers, T1 * 2^-48 + T2 * 2^-112, and their sum
// has at most 112 significant bits, so it is exact too.
template <IeeeBinary T>
T significandValue(const BitFields& fields, const Classification& flags) {
    constexpr const FormatSpec& f = FormatTraits<T>::format;
    T m = 0;
    if constexpr (std::same_as<T, Binary128>) {
        const int t1 = f.significandBoxWidths[0];
        m = static_cast<T>(detail::readBinaryDigits(fields.t1(), t1)) * exactPowerOfTwo<T>(-t1) +
            static_cast<T>(detail::readBinaryDigits(fields.t2(), f.t - t1)) *
                exactPowerOfTwo<T>(-f.t);
    } else {
        m = static_cast<T>(detail::readBinaryDigits(fields.T, f.t)) * exactPowerOfTwo<T>(-f.t);
    }
    if (!(flags.isSubnormal || flags.isZero)) m += 1;
    return m;
}

} // namespace

ViewText exponentView(int formatBytes, const BitFields& fields, const Classification& flags,
                      Language language) {
    const FormatSpec* f = findFormat(formatBytes);
    if (f == nullptr) return {};
    // Codes 0 (zero, subnormal) and 1 both mean emin = 1 - bias; other codes E - bias.
    const auto code = static_cast<long long>(detail::readBinaryDigits(fields.E, f->w));
    const long long e = flags.isSubnormal || flags.isZero ? 1 - f->bias : code - f->bias;
    const char* suffix = flags.expTopZeros ? " (Emin)" : flags.expTopOnes ? " (Emax)" : " (E)";
    return {formatInteger(e),
            std::string(isRomanian(language) ? "Exponentul reprezentarii" : "Representation Exponent") +
                suffix};
}

ViewText significandView(int formatBytes, const BitFields& fields, const Classification& flags,
                         Language language) {
    ViewText view{"", isRomanian(language) ? "     Semnificand" : "     Significand"};
    if (!flags.isFinite) return view;
    if (!withFormat(formatBytes, [&]<class T>(FormatTag<T>) {
            view.value = formatValue(significandValue<T>(fields, flags), PrintStyle::Significand);
        }))
        return {};
    return view;
}

ViewText ulpView(int formatBytes, const FormatValues& values) {
    if (findFormat(formatBytes) == nullptr) return {};
    return {formatValue(formatBytes, ulpOf(formatBytes, values), PrintStyle::NeighbourDecimal),
            "        ULP(X)"};
}

ViewText deltaView(int formatBytes, const FormatValues& values, Language language) {
    if (findFormat(formatBytes) == nullptr) return {};
    const bool positive = isPositive(formatBytes, values);
    const char* caption = isRomanian(language)
                              ? (positive ? "Delta (minim):  X + Delta > X"
                                          : "Delta (minim): |X| + Delta > |X|")
                              : (positive ? "Delta (Smallest): X + Delta > X"
                                          : "Delta (Smallest): |X| + Delta > |X|");
    return {formatValue(formatBytes, deltaOf(formatBytes, values), PrintStyle::DeltaStyle),
            caption};
}

ViewText xPlusDeltaView(int formatBytes, const FormatValues& values) {
    if (findFormat(formatBytes) == nullptr) return {};
    return {formatValue(formatBytes, plusDelta(formatBytes, values), PrintStyle::DeltaStyle),
            isPositive(formatBytes, values) ? "X + Delta" : "|X| + Delta"};
}

ViewText neighbourItemView(int formatBytes, const FormatValues& values, int listItem,
                           bool showBits, Language language) {
    if (findFormat(formatBytes) == nullptr) return {};
    NeighbourView neighbour = neighbourView(formatBytes, values, listItem, showBits);
    return {std::move(neighbour.value), neighbour.label.in(language)};
}

ViewText parameterView(int listItem, int formatBytes, const FormatValues& values,
                       const BitFields& fields, const Classification& flags, Language language,
                       bool showBits) {
    switch (static_cast<ParameterItem>(listItem)) {
    case ParameterItem::Exponent: return exponentView(formatBytes, fields, flags, language);
    case ParameterItem::Significand: return significandView(formatBytes, fields, flags, language);
    case ParameterItem::Ulp: return ulpView(formatBytes, values);
    case ParameterItem::NextUp:
    case ParameterItem::NextDown:
        return neighbourItemView(formatBytes, values, listItem, showBits, language);
    case ParameterItem::Delta: return deltaView(formatBytes, values, language);
    case ParameterItem::XPlusDelta: return xPlusDeltaView(formatBytes, values);
    }
    return {}; // any other index selects no view
}

} // namespace bitscope
