// SPDX-License-Identifier: MIT
// A strict reader for the records bitscope-cli writes: one flat JSON object
// per line whose members are strings, numbers, true, false or null. The text must be
// well-formed UTF-8 (no overlong forms, surrogates or code points above
// U+10FFFF) and valid JSON (RFC 8259: every control character escaped,
// nothing after the object); anything richer than a flat object is refused
// too, since a record never holds it. Members keep their order.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bitscope::testing {

struct JsonField {
  enum class Kind { null, number, string, boolean };
  Kind kind = Kind::null;
  std::string text;  // a string's UTF-8 contents, a number's literal, "true" or "false"

  bool isNull() const { return kind == Kind::null; }
};

struct JsonRecord {
  std::vector<std::pair<std::string, JsonField>> members;

  // The member named `key`; throws std::out_of_range when there is none.
  const JsonField& operator[](std::string_view key) const;
};

struct JsonParse {
  JsonRecord record;
  std::string error;  // empty when the text is a valid record
};

JsonParse parseJsonRecord(std::string_view text);

// One record per line ("\n"-terminated); the error names the first bad line.
struct JsonLines {
  std::vector<JsonRecord> records;
  std::string error;
};
JsonLines parseJsonLines(std::string_view text);

// True when `bytes` is well-formed UTF-8.
bool isWellFormedUtf8(std::string_view bytes);

}  // namespace bitscope::testing
