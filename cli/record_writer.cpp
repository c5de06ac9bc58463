#include "record_writer.h"

#include "engine/decimal_text.h"

#include "json_text.h"

namespace bitscope::cli {

namespace {

std::string_view formatName(int formatBytes) {
    switch (formatBytes) {
    case 4: return "Binary32";
    case 8: return "Binary64";
    default: return "Binary128";
    }
}

std::string_view formatBits(int formatBytes) {
    switch (formatBytes) {
    case 4: return "32";
    case 8: return "64";
    default: return "128";
    }
}

// ---- JSON: one object per line, keys in a fixed order -----------------------
// Each member is written with its separator and key as one literal: ,"key":

void jsonText(OutputBuffer& out, std::string_view keyPrefix, std::string_view text) {
    out.put(keyPrefix);
    putJsonString(out, text);
}

// The members after "message", null when the value has no encoding.
constexpr std::string_view nullEncoding =
    R"(,"S":null,"E":null,"T":null,"hex":null,"type":null,"x":null)";
// The members of the parameter views, null for a value that is not finite.
constexpr std::string_view nullViews =
    R"(,"exponent":null,"exponent_caption":null,"significand":null,"ulp":null,)"
    R"("next_up":null,"next_down":null,"next_up_bits":null,"next_down_bits":null,)"
    R"("delta":null,"delta_caption":null,"x_plus_delta":null,"x_plus_delta_caption":null)";

void endJsonRecord(OutputBuffer& out, const Options& options, const ValueReport& report) {
    out.put(R"(","format":)");
    out.put(formatBits(options.formatBytes));
    jsonText(out, R"(,"status":)", statusName(report.status));
    if (report.status == Status::invalid) {
        jsonText(out, R"(,"message":)", invalidValueMessage);
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
            jsonText(out, R"(,"exponent":)", v.exponent.value);
            jsonText(out, R"(,"exponent_caption":)", v.exponent.caption);
            jsonText(out, R"(,"significand":)", v.significand.value);
            jsonText(out, R"(,"ulp":)", v.ulp.value);
            jsonText(out, R"(,"next_up":)", v.nextUp.value);
            jsonText(out, R"(,"next_down":)", v.nextDown.value);
            jsonText(out, R"(,"next_up_bits":)", v.nextUpBits.value);
            jsonText(out, R"(,"next_down_bits":)", v.nextDownBits.value);
            jsonText(out, R"(,"delta":)", v.delta.value);
            jsonText(out, R"(,"delta_caption":)", v.delta.caption);
            jsonText(out, R"(,"x_plus_delta":)", v.xPlusDelta.value);
            jsonText(out, R"(,"x_plus_delta_caption":)", v.xPlusDelta.caption);
        }
    }
    out.put("}\n");
}

// ---- Readable: a block of "heading  text" lines -----------------------------

constexpr std::size_t headingWidth = 44; // room for the longest caption (41) and blanks

void heading(OutputBuffer& out, std::string_view text) {
    out.put(text);
    for (std::size_t n = text.size(); n < headingWidth - 2; ++n) out.put(' ');
    out.put("  ");
}

void line(OutputBuffer& out, std::string_view title, std::string_view text) {
    heading(out, title);
    putJsonEscaped(out, text); // engine texts are plain; escaping keeps any byte harmless
    out.put('\n');
}

void viewLine(OutputBuffer& out, const ViewText& view) { line(out, view.caption, view.value); }

void endReadableRecord(OutputBuffer& out, const Options& options, const ValueReport& report) {
    out.put("\"\n");
    line(out, "format", formatName(options.formatBytes));
    line(out, "status", statusName(report.status));
    if (report.status == Status::invalid) line(out, "message", invalidValueMessage);
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
    if (!report.finite) return;
    const ParameterViews& v = report.views;
    for (const ViewText* view : {&v.exponent, &v.significand, &v.ulp, &v.nextUp, &v.nextUpBits,
                                 &v.nextDown, &v.nextDownBits, &v.delta, &v.xPlusDelta})
        viewLine(out, *view);
}

} // namespace

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

} // namespace bitscope::cli
