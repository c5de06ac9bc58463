// SPDX-License-Identifier: MIT
#include "report.h"

#include <bit>
#include <string>

#include "engine/engine.h"

namespace bitscope::cli {

std::string_view statusName(Status status) {
  switch (status) {
    case Status::ok:
      return "ok";
    case Status::special:
      return "special";
    case Status::invalid:
      return "invalid";
    case Status::novalue:
      return "novalue";
  }
  return "invalid";
}

namespace {

// The encoding to show and the value x it holds: from the decimal read, from an
// infinity or NaN named by the text, or from the digits given. Sets the
// status; false when there is no encoding to show.
template <IeeeBinary T>
bool encodingOf(const Options& options, ValueInput& input, ValueReport& report, T& x) {
  constexpr const FormatSpec& format = FormatTraits<T>::format;
  BitFields& fields = report.fields;
  if (options.hex) {
    EncodingBits bits = 0;
    if (!input.hexEncoding(format.k, bits)) {
      report.status = Status::invalid;
      report.message = "Invalid Value: not " + std::to_string(format.k / 4) + " hexadecimal digits";
      return false;
    }
    x = std::bit_cast<T>(static_cast<typename FormatTraits<T>::Bits>(bits));
    encodeBits(x, fields);
    report.status = Status::ok;
    return true;
  }
  if (options.bits) {
    const std::string_view digits = input.encoding(static_cast<std::size_t>(format.k));
    if (digits.empty()) {
      report.status = Status::invalid;
      return false;
    }
    const auto w = static_cast<std::size_t>(format.w);
    fields.S.assign(1, digits[0]);
    fields.E.assign(digits.substr(1, w));
    fields.T.assign(digits.substr(1 + w));
    x = decodeBits<T>(fields);
    report.status = Status::ok;
    return true;
  }

  const std::string_view xText = input.xText();
  SpecialText special;
  detectSpecialText(xText, special);
  if (special.isNaN || special.isInfinite) {
    showSpecialEncoding(format, special, fields);
    x = decodeBits<T>(fields);
    report.status = Status::special;
    return true;
  }
  switch (input.readNumber(x)) {
    case ReadOutcome::Ok:
      encodeBits(x, fields);
      report.status = Status::ok;
      return true;
    case ReadOutcome::Invalid:
      report.status = Status::invalid;
      return false;
    case ReadOutcome::NoValue:
      report.status = Status::novalue;
      return false;
  }
  return false;
}

// The exact texts of a finite encoding; the error only for a number read from
// decimal text (not an encoding given, nor an infinity or NaN named).
void exactReport(const FormatSpec& format, EncodingBits bits, bool decimalRead, ValueInput& input,
                 ExactReport& exact) {
  exact.applies = true;
  exact.value = exactValueText(format, bits);
  const RoundingInterval interval = roundingInterval(format, bits);
  exact.intervalLow = decimalText(interval.low);
  exact.intervalHigh = decimalText(interval.high);
  exact.lowIncluded = interval.lowIncluded;
  exact.highIncluded = interval.highIncluded;
  ExactDecimal typed;
  exact.hasError = decimalRead && input.typedNumber(typed);
  if (!exact.hasError) return;
  const ConversionError error = conversionError(format, bits, typed);
  exact.error = errorText(error, errorDigits);
  exact.errorUlps = errorUlpsText(error, errorDigits);
}

// What the window shows once the bit boxes hold an encoding: X is the value
// the boxes decode to (for a number read, the very value read), the boxes are
// classified and described, and X is shown in the X display and in every
// parameter view.
template <IeeeBinary T>
void analyse(const Options& options, ValueInput& input, ValueReport& report) {
  T x{};
  report.message.clear();
  report.hasEncoding = encodingOf(options, input, report, x);
  if (report.status == Status::invalid && report.message.empty()) report.message = invalidValueMessage;
  report.finite = false;
  report.exact.applies = report.exact.hasError = false;
  if (!report.hasEncoding) return;

  const FormatSpec& format = FormatTraits<T>::format;
  const Classification flags = classifyBits(format, report.fields);
  encodeHex(x, report.hex);
  report.type = dataTypeName(format, flags, options.language);
  formatValue(x, PrintStyle::XDisplay, report.x);

  report.finite = flags.isFinite;
  if (!report.finite) return;
  parameterViews(x, report.fields, flags, options.language, report.views);
  if (!options.exact) return;
  const bool decimalRead = report.status == Status::ok && !options.bits && !options.hex;
  exactReport(format, encodingBitsOf(x), decimalRead, input, report.exact);
}

}  // namespace

void analyseValue(const Options& options, ValueInput& input, ValueReport& report) {
  withCliFormat(options.format, [&]<class T>(FormatTag<T>) { analyse<T>(options, input, report); });
}

}  // namespace bitscope::cli
