#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <system_error>

#include "engine/decimal_text.h"
#include "engine/encoding.h"
#include "engine/quad.h"

namespace bitscope {

namespace {

enum class ScanKind { Number, NoValue, Invalid };

// |exponent| is held below this bound: the text has at most 41 digits, so any exponent of
// 10^5 or more already puts the number far outside every format, and the bound keeps the
// arithmetic below and the rewritten text small.
constexpr long exponentBound = 99'999'999;

// A number accepted by the free-form scanner, rewritten for the conversion routines: an
// optional '-', the digits with their point, and 'e' with the (bounded) exponent. At most
// 42 characters are scanned, so the text (zero-filled, hence NUL-terminated) has room.
struct ScannedNumber {
    ScanKind kind = ScanKind::Invalid;
    bool negative = false;
    bool allZero = true;
    long magnitude = 0; // floor(log10 |x|): the place of the first nonzero digit
    std::array<char, 64> text{};
    std::size_t length = 0;

    void append(char c) {
        assert(length + 1 < text.size());
        text[length++] = c;
    }
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool endsNumber(char c) { return c == ' ' || c == ',' || c == '/'; }

// The free-form scanner. Steps:
// 1. Skip leading blanks; nothing left, or a comma or slash, supplies no number.
// 2. An optional sign.
// 3. Digits with an optional point; at least one digit. The first nonzero digit gives the
//    decimal magnitude (its place relative to the point).
// 4. An optional exponent: E, D or Q in either case, an optional sign, at least one digit.
// 5. The number must end there: at the end of the text, a blank, a comma or a slash.
ScannedNumber scan(std::string_view s) {
    ScannedNumber n;
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos || s[i] == ',' || s[i] == '/') {
        n.kind = ScanKind::NoValue;
        return n;
    }
    if (s[i] == '+' || s[i] == '-') {
        n.negative = s[i] == '-';
        ++i;
    }
    if (n.negative) n.append('-');

    long integerDigits = 0;
    long fractionDigits = 0;
    long firstNonzeroInteger = -1;
    bool point = false;
    for (; i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        n.append(s[i]);
        if (s[i] == '.') {
            point = true;
        } else if (!point) {
            if (s[i] != '0' && n.allZero) firstNonzeroInteger = integerDigits;
            n.allZero = n.allZero && s[i] == '0';
            ++integerDigits;
        } else {
            if (s[i] != '0' && n.allZero) n.magnitude = -(fractionDigits + 1);
            n.allZero = n.allZero && s[i] == '0';
            ++fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0) return n; // ".", "+", "-e5": invalid
    if (firstNonzeroInteger >= 0) n.magnitude = integerDigits - 1 - firstNonzeroInteger;

    if (i < s.size() && std::string_view("EeDdQq").find(s[i]) != std::string_view::npos) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        if (i == s.size() || !isDigit(s[i])) return n; // "1e", "1.5e+": invalid
        long exponent = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponentBound, exponent * 10 + (s[i] - '0'));
        if (negativeExponent) exponent = -exponent;
        n.magnitude += exponent;
        n.append('e');
        const auto [end, ec] =
            std::to_chars(n.text.data() + n.length, n.text.data() + n.text.size(), exponent);
        n.length = static_cast<std::size_t>(end - n.text.data());
    }
    if (i < s.size() && !endsNumber(s[i])) return n; // "1.5abc": invalid
    n.kind = ScanKind::Number;
    return n;
}

// Correctly rounded conversion of the scanned number straight into T.
template <IeeeBinary T>
ReadOutcome convert(const ScannedNumber& n, T& value) {
    const char* first = n.text.data();
    const char* last = first + n.length;
    if constexpr (std::same_as<T, Binary128>) {
        // strtoflt128 rounds correctly, subnormals included, and gives an infinity (without
        // errno for the top of the overflow range) exactly when the rounded result overflows.
        const char* end = nullptr;
        T result = detail::parseBinary128(first, &end);
        if (end != last) return ReadOutcome::Invalid;
        if (detail::Encoding<T>(result).isInfinite()) return ReadOutcome::Invalid;
        if (result == 0) result = n.negative ? -T(0) : T(0);
        value = result;
        return ReadOutcome::Ok;
    } else {
        // from_chars rounds correctly, subnormals included, but answers result_out_of_range
        // for an overflow and for an underflow to zero alike (leaving result untouched). A
        // nonzero number out of range is an overflow when its first digit stands at or above
        // the units place (no format underflows there) and an underflow to zero otherwise.
        T result{};
        const auto [end, ec] = std::from_chars(first, last, result);
        if (end != last) return ReadOutcome::Invalid;
        if (ec == std::errc::result_out_of_range) {
            if (n.allZero || n.magnitude >= 0) return ReadOutcome::Invalid;
            result = n.negative ? -T(0) : T(0);
        } else if (ec != std::errc()) {
            return ReadOutcome::Invalid;
        }
        value = result;
        return ReadOutcome::Ok;
    }
}

// The common case of Binary32 and Binary64 without a copy: a plain number ("-d.ddde-XX",
// no '+' before it, letter E or e) is exactly what from_chars reads. from_chars is tried
// on the text itself; whenever the text is anything else (a '+' sign, a letter D or Q, a
// number out of range, or a character that does not end a number), it returns false and
// the scanner decides.
template <IeeeBinary T>
bool readPlainNumber(std::string_view s, T& value) {
    const std::size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos || s[i] == '+') return false;
    const std::size_t body = i + (s[i] == '-' ? 1 : 0);
    if (body == s.size() || !(isDigit(s[body]) || s[body] == '.')) return false;
    T result{};
    const auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), result);
    if (ec != std::errc() || (end != s.data() + s.size() && !endsNumber(*end))) return false;
    value = result;
    return true;
}

} // namespace

template <IeeeBinary T>
ReadOutcome readDecimal(std::string_view text, T& value) {
    text = text.substr(0, xTextLength);
    if constexpr (!std::same_as<T, Binary128>) {
        if (readPlainNumber(text, value)) return ReadOutcome::Ok;
    }
    const ScannedNumber n = scan(text);
    switch (n.kind) {
    case ScanKind::NoValue: return ReadOutcome::NoValue;
    case ScanKind::Invalid: return ReadOutcome::Invalid;
    case ScanKind::Number: break;
    }
    return convert(n, value);
}

ReadOutcome readDecimal(int formatBytes, std::string_view text, FormatValues& values) {
    ReadOutcome outcome = ReadOutcome::NoValue;
    withFormat(formatBytes,
               [&]<class T>(FormatTag<T>) { outcome = readDecimal(text, values.slot<T>()); });
    return outcome;
}

template ReadOutcome readDecimal(std::string_view, Binary32&);
template ReadOutcome readDecimal(std::string_view, Binary64&);
template ReadOutcome readDecimal(std::string_view, Binary128&);

} // namespace bitscope
