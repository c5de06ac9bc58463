// Command-line options of bitscope-cli: what the user asked for, or why the
// command line cannot be understood.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/language.h"

namespace bitscope::cli {

enum class OutputKind { readable, json };

struct Options {
    int formatBytes = 4;          // 4, 8 or 16: Binary32, Binary64, Binary128
    bool bits = false;            // values are encodings as 0 and 1 digits, not decimal text
    bool hex = false;             // values are encodings as hexadecimal digits
    bool exact = false;           // add the exact value, the read's error and the interval
    OutputKind output = OutputKind::readable;
    Language language = Language::English;
    bool help = false;
    std::vector<std::string_view> values; // empty: read values from standard input
};

struct ParseResult {
    Options options;
    std::string error; // empty when the command line was understood
};

// Reads argv[1..argc) the GNU way: options may follow values, "--opt=arg" and
// "--opt arg" are alike, "-f64" and "-f 64" are alike, "--" ends the options.
// An argument that starts with "-" but reads as a number or as a named
// infinity or NaN ("-1.5", "-.5", "-inf", "-NaN") is a value, so negative
// numbers need no "--".
ParseResult parseOptions(int argc, const char* const argv[]);

// The usage text, ending with a newline.
std::string_view usageText();

} // namespace bitscope::cli
