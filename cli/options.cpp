// SPDX-License-Identifier: MIT
#include "options.h"

#include <cctype>
#include <optional>

namespace bitscope::cli {

namespace {

constexpr std::string_view usage =
    "Usage: bitscope-cli [--format 16|bf16|32|64|128] [--bits | --hex] [--exact] [--json]\n"
    "                    [--lang en|ro] [VALUE...]\n"
    "Shows how each VALUE is stored in an IEEE 754 binary format.\n"
    "\n"
    "  -f, --format N   Binary32, Binary64 or Binary128 (N = 32, 64 or 128; default 32),\n"
    "                   IEEE binary16 (N = 16) or bfloat16 (N = bf16)\n"
    "      --bits       each VALUE is an encoding of 0 and 1 digits (blanks and _ ignored),\n"
    "                   read right-aligned; fewer digits than the format has leave the top bits 0\n"
    "      --hex        each VALUE is an encoding in hexadecimal, exactly 2 digits per byte\n"
    "                   (4, 8, 16 or 32 digits), with or without 0x, in either case\n"
    "      --exact      also the exact stored value, the error of the decimal read (stored\n"
    "                   minus typed, and in ULP(X)) and the interval of decimal numbers that\n"
    "                   read into the encoding\n"
    "      --json       one JSON object per value and line instead of a readable block\n"
    "      --lang L     captions in English (en, default) or Romanian (ro)\n"
    "  -h, --help       show this text and exit\n"
    "      --version    show the program's name and version and exit\n"
    "      --           end of options: every later argument is a VALUE\n"
    "\n"
    "Without VALUE, values are read from standard input, one per line.\n"
    "Exit status: 0 every value was read, 1 some value was invalid or gave no number,\n"
    "2 the command line was wrong, 3 reading or writing failed.\n";

std::optional<Format> formatFromText(std::string_view text) {
  if (text == "16") return Format::binary16;
  if (text == "bf16") return Format::bfloat16;
  if (text == "32") return Format::binary32;
  if (text == "64") return Format::binary64;
  if (text == "128") return Format::binary128;
  return std::nullopt;
}

std::optional<Language> languageFromText(std::string_view text) {
  if (text == "en") return Language::English;
  if (text == "ro") return Language::Romanian;
  return std::nullopt;
}

// A leading "-" belongs to a value when what follows could start a number
// (digit, point, blank) or a named infinity or NaN, or when nothing follows.
bool dashStartsValue(std::string_view arg) {
  if (arg.size() < 2) return true;
  const char c = arg[1];
  if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.' || c == ' ') return true;
  const std::string_view name = arg.substr(1, 2);
  return name == "In" || name == "in" || name == "Na" || name == "na";
}

struct Parser {
  int argc;
  const char* const* argv;
  int index = 1;
  ParseResult result;

  bool fail(std::string message) {
    result.error = std::move(message);
    return false;
  }

  // The argument of an option: attached ("--format=64", "-f64") or the next word.
  std::optional<std::string_view> argumentOf(std::string_view name,
                                             std::optional<std::string_view> attached) {
    if (attached) return attached;
    if (index + 1 >= argc) {
      fail("option " + std::string(name) + " needs an argument");
      return std::nullopt;
    }
    return std::string_view(argv[++index]);
  }

  bool applyFormat(std::string_view name, std::optional<std::string_view> attached) {
    const auto text = argumentOf(name, attached);
    if (!text) return false;
    const auto format = formatFromText(*text);
    if (!format) return fail("bad format '" + std::string(*text) + "' (use 16, bf16, 32, 64 or 128)");
    result.options.format = *format;
    return true;
  }

  bool applyLanguage(std::string_view name, std::optional<std::string_view> attached) {
    const auto text = argumentOf(name, attached);
    if (!text) return false;
    const auto language = languageFromText(*text);
    if (!language) return fail("bad language '" + std::string(*text) + "' (use en or ro)");
    result.options.language = *language;
    return true;
  }

  bool flag(std::string_view name, std::optional<std::string_view> attached, bool& target) {
    if (attached) return fail("option " + std::string(name) + " takes no argument");
    target = true;
    return true;
  }

  bool longOption(std::string_view arg) {
    std::string_view name = arg;
    std::optional<std::string_view> attached;
    if (const auto eq = arg.find('='); eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      attached = arg.substr(eq + 1);
    }
    if (name == "--format") return applyFormat(name, attached);
    if (name == "--lang") return applyLanguage(name, attached);
    if (name == "--bits") return flag(name, attached, result.options.bits);
    if (name == "--hex") return flag(name, attached, result.options.hex);
    if (name == "--exact") return flag(name, attached, result.options.exact);
    if (name == "--help") return flag(name, attached, result.options.help);
    if (name == "--version") return flag(name, attached, result.options.version);
    if (name == "--json") {
      bool json = false;
      if (!flag(name, attached, json)) return false;
      result.options.output = OutputKind::json;
      return true;
    }
    return fail("unknown option '" + std::string(name) + "'");
  }

  bool shortOption(std::string_view arg) {
    if (arg[1] == 'f') {
      const auto rest = arg.substr(2);
      return applyFormat("-f", rest.empty() ? std::nullopt : std::optional(rest));
    }
    if (arg == "-h") {
      result.options.help = true;
      return true;
    }
    return fail("unknown option '" + std::string(arg) + "'");
  }

  bool run() {
    bool optionsEnded = false;
    for (; index < argc; ++index) {
      const std::string_view arg = argv[index];
      if (optionsEnded || arg.empty() || arg[0] != '-' || dashStartsValue(arg)) {
        result.options.values.push_back(arg);
      } else if (arg == "--") {
        optionsEnded = true;
      } else if (arg.starts_with("--")) {
        if (!longOption(arg)) return false;
      } else if (!shortOption(arg)) {
        return false;
      }
    }
    if (result.options.bits && result.options.hex) return fail("--bits and --hex exclude each other");
    return true;
  }
};

}  // namespace

ParseResult parseOptions(int argc, const char* const argv[]) {
  Parser parser{argc, argv, 1, {}};
  parser.run();
  return std::move(parser.result);
}

std::string_view usageText() { return usage; }

}  // namespace bitscope::cli
