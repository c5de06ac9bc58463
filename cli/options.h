// SPDX-License-Identifier: MIT
// Command-line options of bitscope-cli: what the user asked for, or why the
// command line cannot be understood.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/format.h"
#include "engine/language.h"

namespace bitscope::cli {

enum class OutputKind { readable, json };

// The formats of bitscope-cli: the window's three and the two 16-bit ones,
// which share a storage width and so are named here rather than by it.
enum class Format { binary16, bfloat16, binary32, binary64, binary128 };

// Runs fn(FormatTag<T>{}) for the type T of the format.
template <class Fn>
void withCliFormat(Format format, Fn&& fn) {
  switch (format) {
    case Format::binary16:
      fn(FormatTag<Binary16>{});
      return;
    case Format::bfloat16:
      fn(FormatTag<BFloat16>{});
      return;
    case Format::binary32:
      fn(FormatTag<Binary32>{});
      return;
    case Format::binary64:
      fn(FormatTag<Binary64>{});
      return;
    case Format::binary128:
      fn(FormatTag<Binary128>{});
      return;
  }
}

struct Options {
  Format format = Format::binary32;
  bool bits = false;   // values are encodings as 0 and 1 digits, not decimal text
  bool hex = false;    // values are encodings as hexadecimal digits
  bool exact = false;  // add the exact value, the read's error and the interval
  OutputKind output = OutputKind::readable;
  Language language = Language::English;
  bool help = false;
  bool version = false;
  std::vector<std::string_view> values;  // empty: read values from standard input
};

struct ParseResult {
  Options options;
  std::string error;  // empty when the command line was understood
};

// Reads argv[1..argc) the GNU way: options may follow values, "--opt=arg" and
// "--opt arg" are alike, "-f64" and "-f 64" are alike, "--" ends the options.
// An argument that starts with "-" but reads as a number or as a named
// infinity or NaN ("-1.5", "-.5", "-inf", "-NaN") is a value, so negative
// numbers need no "--".
ParseResult parseOptions(int argc, const char* const argv[]);

// The usage text, ending with a newline.
std::string_view usageText();

}  // namespace bitscope::cli
