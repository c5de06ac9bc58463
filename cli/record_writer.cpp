// SPDX-License-Identifier: MIT
#include "record_writer.h"

#include "engine/decimal_text.h"
#include "textmodel/blank_padded.h"

#include "json_text.h"

namespace bitscope::cli {

namespace {

std::string_view formatName(Format format) {
  switch (format) {
    case Format::binary16:
      return "Binary16";
    case Format::bfloat16:
      return "BFloat16";
    case Format::binary32:
      return "Binary32";
    case Format::binary64:
      return "Binary64";
    case Format::binary128:
      return "Binary128";
  }
  return {};
}

// The JSON value of "format": the storage width as a number, but for bfloat16,
// whose width is binary16's, the string "bf16".
std::string_view formatJson(Format format) {
  switch (format) {
    case Format::binary16:
      return "16";
    case Format::bfloat16:
      return R"("bf16")";
    case Format::binary32:
      return "32";
    case Format::binary64:
      return "64";
    case Format::binary128:
      return "128";
  }
  return {};
}

// ---- JSON: one object per line, keys in a fixed order -----------------------
// Each member is written with its separator and key as one literal: ,"key":

// Every text after "input" is the program's own or the engine's: plain ASCII.
void jsonText(OutputBuffer& out, std::string_view keyPrefix, std::string_view text) {
  out.put(keyPrefix);
  putPlainJsonString(out, text);
}

// A view's text is written without leading and trailing blanks: captions keep
// leading blanks only to line up the window's labels.
void jsonView(OutputBuffer& out, std::string_view keyPrefix, const ViewText& view) {
  jsonText(out, keyPrefix, withoutOuterBlanks(view.value));
}

void jsonCaption(OutputBuffer& out, std::string_view keyPrefix, const ViewText& view) {
  jsonText(out, keyPrefix, withoutOuterBlanks(view.caption));
}

// The members after "message", null when the value has no encoding.
constexpr std::string_view nullEncoding = R"(,"S":null,"E":null,"T":null,"hex":null,"type":null,"x":null)";
// The members of the parameter views, null for a value that is not finite.
constexpr std::string_view nullViews =
    R"(,"exponent":null,"exponent_caption":null,"significand":null,"ulp":null,)"
    R"("next_up":null,"next_down":null,"next_up_bits":null,"next_down_bits":null,)"
    R"("delta":null,"delta_caption":null,"x_plus_delta":null,"x_plus_delta_caption":null)";

void jsonBool(OutputBuffer& out, std::string_view keyPrefix, bool value) {
  out.put(keyPrefix);
  out.put(value ? "true" : "false");
}

// The members that --exact adds, null where they do not apply: all of them for
// a value that is not finite, the error for a value not read from decimal text.
void jsonExact(OutputBuffer& out, const ExactReport& exact) {
  if (!exact.applies) {
    out.put(R"(,"exact":null,"error":null,"error_ulps":null,"interval_low":null,"interval_high":null,)"
            R"("interval_low_included":null,"interval_high_included":null)");
    return;
  }
  jsonText(out, R"(,"exact":)", exact.value);
  if (exact.hasError) {
    jsonText(out, R"(,"error":)", exact.error);
    jsonText(out, R"(,"error_ulps":)", exact.errorUlps);
  } else {
    out.put(R"(,"error":null,"error_ulps":null)");
  }
  jsonText(out, R"(,"interval_low":)", exact.intervalLow);
  jsonText(out, R"(,"interval_high":)", exact.intervalHigh);
  jsonBool(out, R"(,"interval_low_included":)", exact.lowIncluded);
  jsonBool(out, R"(,"interval_high_included":)", exact.highIncluded);
}

void endJsonRecord(OutputBuffer& out, const Options& options, const ValueReport& report) {
  out.put(R"(","format":)");
  out.put(formatJson(options.format));
  jsonText(out, R"(,"status":)", statusName(report.status));
  if (report.status == Status::invalid) {
    jsonText(out, R"(,"message":)", report.message);
  } else {
    out.put(R"(,"message":null)");
  }
  if (!report.hasEncoding) {
    out.put(nullEncoding);
    out.put(nullViews);
  } else {
    jsonText(out, R"(,"S":)", report.fields.S);
    jsonText(out, R"(,"E":)", report.fields.E);
    jsonText(out, R"(,"T":)", report.fields.T);
    jsonText(out, R"(,"hex":)", report.hex);
    jsonText(out, R"(,"type":)", report.type);
    jsonText(out, R"(,"x":)", report.x);
    if (!report.finite) {
      out.put(nullViews);
    } else {
      const ParameterViews& v = report.views;
      jsonView(out, R"(,"exponent":)", v.exponent);
      jsonCaption(out, R"(,"exponent_caption":)", v.exponent);
      jsonView(out, R"(,"significand":)", v.significand);
      jsonView(out, R"(,"ulp":)", v.ulp);
      jsonView(out, R"(,"next_up":)", v.nextUp);
      jsonView(out, R"(,"next_down":)", v.nextDown);
      jsonView(out, R"(,"next_up_bits":)", v.nextUpBits);
      jsonView(out, R"(,"next_down_bits":)", v.nextDownBits);
      jsonView(out, R"(,"delta":)", v.delta);
      jsonCaption(out, R"(,"delta_caption":)", v.delta);
      jsonView(out, R"(,"x_plus_delta":)", v.xPlusDelta);
      jsonCaption(out, R"(,"x_plus_delta_caption":)", v.xPlusDelta);
    }
  }
  if (options.exact) jsonExact(out, report.exact);
  out.put("}\n");
}

// ---- Readable: a block of "heading  text" lines -----------------------------

constexpr std::size_t headingWidth = 44;  // room for the longest caption (41) and blanks

void heading(OutputBuffer& out, std::string_view text) {
  out.put(text);
  for (std::size_t n = text.size(); n < headingWidth - 2; ++n) out.put(' ');
  out.put("  ");
}

void line(OutputBuffer& out, std::string_view title, std::string_view text) {
  heading(out, title);
  putJsonEscaped(out, text);  // engine texts are plain; escaping keeps any byte harmless
  out.put('\n');
}

void viewLine(OutputBuffer& out, const ViewText& view) {
  line(out, withoutOuterBlanks(view.caption), withoutOuterBlanks(view.value));
}

// What --exact adds to a value that has an encoding, under the names of the
// JSON keys, with "null" where the JSON has null.
void readableExact(OutputBuffer& out, const ExactReport& exact) {
  constexpr std::string_view null = "null";
  const auto flag = [&](bool included) -> std::string_view {
    if (!exact.applies) return null;
    return included ? "true" : "false";
  };
  line(out, "exact", exact.applies ? std::string_view(exact.value) : null);
  line(out, "error", exact.hasError ? std::string_view(exact.error) : null);
  line(out, "error_ulps", exact.hasError ? std::string_view(exact.errorUlps) : null);
  line(out, "interval_low", exact.applies ? std::string_view(exact.intervalLow) : null);
  line(out, "interval_high", exact.applies ? std::string_view(exact.intervalHigh) : null);
  line(out, "interval_low_included", flag(exact.lowIncluded));
  line(out, "interval_high_included", flag(exact.highIncluded));
}

void endReadableRecord(OutputBuffer& out, const Options& options, const ValueReport& report) {
  out.put("\"\n");
  line(out, "format", formatName(options.format));
  line(out, "status", statusName(report.status));
  if (report.status == Status::invalid) line(out, "message", report.message);
  if (!report.hasEncoding) return;

  heading(out, "S E T");
  out.put(report.fields.S);
  out.put(' ');
  out.put(report.fields.E);
  out.put(' ');
  out.put(report.fields.T);
  out.put('\n');
  line(out, "hex", report.hex);
  line(out, "type", report.type);
  line(out, "X", report.x);
  if (report.finite) {
    const ParameterViews& v = report.views;
    for (const ViewText* view : {&v.exponent, &v.significand, &v.ulp, &v.nextUp, &v.nextUpBits, &v.nextDown,
                                 &v.nextDownBits, &v.delta, &v.xPlusDelta})
      viewLine(out, *view);
  }
  if (options.exact) readableExact(out, report.exact);
}

}  // namespace

void RecordWriter::beginRecord() {
  if (options.output == OutputKind::json) {
    out.put("{\"input\":\"");
    return;
  }
  if (!firstRecord) out.put('\n');
  heading(out, "input");
  out.put('"');
  firstRecord = false;
}

void RecordWriter::putInputPiece(std::string_view piece) { putJsonEscaped(out, piece); }

void RecordWriter::endRecord(const ValueReport& report) {
  if (options.output == OutputKind::json) {
    endJsonRecord(out, options, report);
  } else {
    endReadableRecord(out, options, report);
  }
  out.endRecord();
}

}  // namespace bitscope::cli
