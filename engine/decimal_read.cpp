// SPDX-License-Identifier: MIT
#include <charconv>
#include <system_error>

#include "engine/decimal_scanner.h"
#include "engine/decimal_text.h"

namespace bitscope {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool endsNumber(char c) { return c == ' ' || c == ',' || c == '/'; }

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

}  // namespace

template <IeeeBinary T>
ReadOutcome readDecimal(std::string_view text, T& value) {
  text = text.substr(0, xTextLength);
  if constexpr (std::same_as<T, Binary32> || std::same_as<T, Binary64>) {
    if (readPlainNumber(text, value)) return ReadOutcome::Ok;
  }
  DecimalScanner scanner;
  scanner.feed(text);
  return scanner.read(value);
}

ReadOutcome readDecimal(int formatBytes, std::string_view text, FormatValues& values) {
  ReadOutcome outcome = ReadOutcome::NoValue;
  withFormat(formatBytes, [&]<class T>(FormatTag<T>) { outcome = readDecimal(text, values.slot<T>()); });
  return outcome;
}

template ReadOutcome readDecimal(std::string_view, Binary32&);
template ReadOutcome readDecimal(std::string_view, Binary64&);
template ReadOutcome readDecimal(std::string_view, Binary128&);
template ReadOutcome readDecimal(std::string_view, Binary16&);
template ReadOutcome readDecimal(std::string_view, BFloat16&);

}  // namespace bitscope
