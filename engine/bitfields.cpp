#include "engine/bitfields.h"

#include <algorithm>
#include <cassert>

#include "engine/encoding.h"

namespace bitscope {

namespace {

// text cut or blank-padded to width characters.
std::string fitted(std::string_view text, int width) {
    std::string out(text.substr(0, static_cast<std::size_t>(width)));
    out.resize(static_cast<std::size_t>(width), ' ');
    return out;
}

// True when each of the first n characters of field is c (a missing character is not).
bool allOf(std::string_view field, int n, char c) {
    if (field.size() < static_cast<std::size_t>(n)) return false;
    return std::all_of(field.begin(), field.begin() + n, [c](char x) { return x == c; });
}

} // namespace

std::string BitFields::t1() const {
    return fitted(T, binary128Spec.significandBoxWidths[0]);
}

std::string BitFields::t2() const {
    const auto first = static_cast<std::size_t>(binary128Spec.significandBoxWidths[0]);
    return fitted(T.size() > first ? std::string_view(T).substr(first) : std::string_view(),
                  binary128Spec.significandBoxWidths[1]);
}

BitFields bitFieldsFromBoxes(const FormatSpec& format, std::string_view s, std::string_view e,
                             std::string_view t1, std::string_view t2) {
    BitFields fields{fitted(s, 1), fitted(e, format.w), fitted(t1, format.significandBoxWidths[0])};
    if (format.significandBoxCount() == 2) fields.T += fitted(t2, format.significandBoxWidths[1]);
    return fields;
}

// Encoding: the storage written as an unsigned binary number of exactly k digits, most
// significant first, then cut after 1 and 1 + w characters.
template <IeeeBinary T>
BitFields encodeBits(T value) {
    using Enc = detail::Encoding<T>;
    constexpr int k = Enc::format.k;
    constexpr int w = Enc::format.w;
    const auto bits = Enc(value).bits;
    char digits[k];
    for (int i = 0; i < k; ++i) digits[i] = ((bits >> (k - 1 - i)) & 1U) != 0 ? '1' : '0';
    return BitFields{std::string(digits, 1), std::string(digits + 1, w),
                     std::string(digits + 1 + w, k - 1 - w)};
}

BitFields encodeBits(int formatBytes, const FormatValues& values) {
    BitFields fields;
    withFormat(formatBytes, [&]<class T>(FormatTag<T>) { fields = encodeBits(values.slot<T>()); });
    return fields;
}

unsigned __int128 detail::readBinaryDigits(std::string_view text, int maxDigits) {
    assert(maxDigits >= 0 && maxDigits <= 128);
    unsigned __int128 number = 0;
    int place = 0;
    for (auto it = text.rbegin(); it != text.rend() && place < maxDigits; ++it) {
        if (*it == ' ') continue;
        if (*it != '0') number |= static_cast<unsigned __int128>(1) << place;
        ++place;
    }
    return number;
}

// Decoding: the digits are the storage; no arithmetic touches the value.
template <IeeeBinary T>
T decodeBitText(std::string_view digits) {
    using Enc = detail::Encoding<T>;
    return std::bit_cast<T>(
        static_cast<typename Enc::Bits>(detail::readBinaryDigits(digits, Enc::format.k)));
}

template <IeeeBinary T>
T decodeBits(const BitFields& fields) {
    return decodeBitText<T>(fields.joined());
}

void decodeBits(int formatBytes, const BitFields& fields, FormatValues& values) {
    withFormat(formatBytes,
               [&]<class T>(FormatTag<T>) { values.slot<T>() = decodeBits<T>(fields); });
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

BilingualText describeDataType(int formatBytes, const Classification& flags) {
    constexpr std::size_t width = 30;
    BilingualText text;
    if (flags.isZero) text = {"Zero cu semn", "Signed Zero"};
    else if (flags.isSubnormal) text = {"Numar denormalizat", "Denormalized Number"};
    else if (flags.isInfinite) text = {"Infinit cu semn", "Signed Infinity"};
    else if (flags.isNaN) text = {"Non-Numar", "Not-a-Number"};
    else {
        const std::string b = std::to_string(formatBytes) + ")";
        text = {"Numar normalizat: Real(" + b, "Normalized Number: Real(" + b};
    }
    text.romanian.resize(width, ' ');
    text.english.resize(width, ' ');
    return text;
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
template Binary32 decodeBits<Binary32>(const BitFields&);
template Binary64 decodeBits<Binary64>(const BitFields&);
template Binary128 decodeBits<Binary128>(const BitFields&);
template Binary32 decodeBitText<Binary32>(std::string_view);
template Binary64 decodeBitText<Binary64>(std::string_view);
template Binary128 decodeBitText<Binary128>(std::string_view);
template bool lowBitIsZero(Binary32);
template bool lowBitIsZero(Binary64);
template bool lowBitIsZero(Binary128);

} // namespace bitscope
