#include "report.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "engine/engine.h"

namespace bitscope::cli {

std::string_view statusName(Status status) {
    switch (status) {
    case Status::ok: return "ok";
    case Status::special: return "special";
    case Status::invalid: return "invalid";
    case Status::novalue: return "novalue";
    }
    return "invalid";
}

namespace {

// Cuts the leading and trailing blanks of a text in place.
void trimBlanks(std::string& text) {
    if (text.empty() || (text.front() != ' ' && text.back() != ' ')) return;
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, text.find_first_not_of(' '));
}

// Takes a view as the engine made it, blanks cut.
void assignTrimmed(ViewText& target, ViewText&& source) {
    target = std::move(source);
    trimBlanks(target.value);
    trimBlanks(target.caption);
}

// Base 16 is only a regrouping of the binary digits, four to a digit, so it is
// read off the encoding's text rather than computed.
void hexOfDigits(const BitFields& fields, std::string& hex) {
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    std::array<char, maxEncodingDigits> digits{};
    std::size_t k = 0;
    for (const std::string* part : {&fields.S, &fields.E, &fields.T}) {
        assert(k + part->size() <= digits.size());
        std::copy(part->begin(), part->end(), digits.begin() + static_cast<std::ptrdiff_t>(k));
        k += part->size();
    }
    assert(k % 4 == 0); // k is 32, 64 or 128
    hex.resize(k / 4);
    for (std::size_t i = 0; i < k; i += 4) {
        const auto bit = [&](std::size_t j) { return digits[i + j] == '1' ? 1U : 0U; };
        hex[i / 4] = hexDigits[bit(0) << 3 | bit(1) << 2 | bit(2) << 1 | bit(3)];
    }
}

// The encoding to show and the value it holds: from the decimal read, from an
// infinity or NaN named by the text, or from the digits given. Sets the
// status; false when there is no encoding to show.
bool encodingOf(const Options& options, ValueInput& input, ValueReport& report, BitFields& fields,
                FormatValues& values) {
    const int formatBytes = options.formatBytes;
    const FormatSpec& format = *findFormat(formatBytes);
    if (options.bits) {
        const std::string_view digits = input.encoding(static_cast<std::size_t>(format.k));
        if (digits.empty()) {
            report.status = Status::invalid;
            return false;
        }
        const auto w = static_cast<std::size_t>(format.w);
        fields = BitFields{std::string(digits.substr(0, 1)), std::string(digits.substr(1, w)),
                           std::string(digits.substr(1 + w))};
        decodeBits(formatBytes, fields, values);
        report.status = Status::ok;
        return true;
    }

    const std::string_view xText = input.xText();
    SpecialText special;
    detectSpecialText(xText, special);
    if (special.isNaN || special.isInfinite) {
        fields = showSpecialEncoding(formatBytes, special);
        decodeBits(formatBytes, fields, values);
        report.status = Status::special;
        return true;
    }
    switch (readDecimal(formatBytes, xText, values)) {
    case ReadOutcome::Ok:
        fields = encodeBits(formatBytes, values);
        report.status = Status::ok;
        return true;
    case ReadOutcome::Invalid: report.status = Status::invalid; return false;
    case ReadOutcome::NoValue: report.status = Status::novalue; return false;
    }
    return false;
}

} // namespace

// What the window shows once the bit boxes hold an encoding: X is the value
// the boxes decode to (for a number read, the very value read), the boxes are
// classified and described, and X is shown in the X display and in every
// parameter view.
void analyseValue(const Options& options, ValueInput& input, ValueReport& report) {
    const int formatBytes = options.formatBytes;
    const Language language = options.language;
    BitFields& fields = report.fields;
    FormatValues values;
    report.hasEncoding = encodingOf(options, input, report, fields, values);
    report.finite = false;
    if (!report.hasEncoding) return;

    const Classification flags = classifyBits(*findFormat(formatBytes), fields);

    hexOfDigits(fields, report.hex);
    const BilingualText type = describeDataType(formatBytes, flags);
    const std::string& typeText = type.in(language);
    report.type.assign(typeText, 0, typeText.find_last_not_of(' ') + 1);
    report.x = formatValue(formatBytes, values, PrintStyle::XDisplay);

    report.finite = flags.isFinite;
    if (!report.finite) return;
    constexpr int upItem = static_cast<int>(ParameterItem::NextUp);
    constexpr int downItem = static_cast<int>(ParameterItem::NextDown);
    ParameterViews& v = report.views;
    assignTrimmed(v.exponent, exponentView(formatBytes, fields, flags, language));
    assignTrimmed(v.significand, significandView(formatBytes, fields, flags, language));
    assignTrimmed(v.ulp, ulpView(formatBytes, values));
    assignTrimmed(v.nextUp, neighbourItemView(formatBytes, values, upItem, false, language));
    assignTrimmed(v.nextDown, neighbourItemView(formatBytes, values, downItem, false, language));
    assignTrimmed(v.nextUpBits, neighbourItemView(formatBytes, values, upItem, true, language));
    assignTrimmed(v.nextDownBits, neighbourItemView(formatBytes, values, downItem, true, language));
    assignTrimmed(v.delta, deltaView(formatBytes, values, language));
    assignTrimmed(v.xPlusDelta, xPlusDeltaView(formatBytes, values));
}

} // namespace bitscope::cli
