// SPDX-License-Identifier: MIT
#include "strict_json.h"

#include <stdexcept>

namespace bitscope::testing {

const JsonField& JsonRecord::operator[](std::string_view key) const {
  for (const auto& [name, value] : members)
    if (name == key) return value;
  throw std::out_of_range("no member " + std::string(key));
}

bool isWellFormedUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned b = p[i];
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b < 0x80)
      length = 1;
    else if (b >= 0xC2 && b <= 0xDF)
      length = 2;
    else if (b == 0xE0)
      length = 3, low = 0xA0;
    else if (b == 0xED)
      length = 3, high = 0x9F;
    else if (b >= 0xE1 && b <= 0xEF)
      length = 3;
    else if (b == 0xF0)
      length = 4, low = 0x90;
    else if (b >= 0xF1 && b <= 0xF3)
      length = 4;
    else if (b == 0xF4)
      length = 4, high = 0x8F;
    else
      return false;
    if (i + length > n) return false;
    for (std::size_t j = 1; j < length; ++j) {
      const unsigned c = p[i + j];
      if (j == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

namespace {

struct Reader {
  std::string_view s;
  std::size_t i = 0;

  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error(what + " at offset " + std::to_string(i));
  }
  void skipSpace() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  }
  bool take(char c) {
    if (i >= s.size() || s[i] != c) return false;
    ++i;
    return true;
  }
  void expect(char c) {
    if (!take(c)) fail(std::string("expected '") + c + "'");
  }
  bool digitAt(std::size_t k) const { return k < s.size() && s[k] >= '0' && s[k] <= '9'; }

  unsigned hex4() {
    unsigned v = 0;
    for (int k = 0; k < 4; ++k, ++i) {
      const char c = i < s.size() ? s[i] : 'x';
      const int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
      if (d < 0) fail("bad \\u escape");
      v = v * 16 + static_cast<unsigned>(d);
    }
    return v;
  }

  static void appendUtf8(std::string& out, unsigned c) {
    const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    constexpr unsigned char lead[] = {0x00, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(lead[extra] | (c >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }

  std::string string() {
    expect('"');
    std::string out;
    for (;;) {
      if (i >= s.size()) fail("unterminated string");
      const char c = s[i++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) fail("unescaped control character");
      if (c != '\\') {
        out += c;
        continue;
      }
      const char e = i < s.size() ? s[i++] : '?';
      const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
      if (const auto k = simple.find(e); k != std::string_view::npos) {
        out += meaning[k];
      } else if (e == 'u') {
        unsigned code = hex4();
        if (code >= 0xDC00 && code <= 0xDFFF) fail("lone low surrogate");
        if (code >= 0xD800 && code <= 0xDBFF) {
          if (!take('\\') || !take('u')) fail("lone high surrogate");
          const unsigned low = hex4();
          if (low < 0xDC00 || low > 0xDFFF) fail("bad low surrogate");
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, code);
      } else {
        fail("bad escape");
      }
    }
  }

  std::string number() {
    const std::size_t start = i;
    take('-');
    if (!take('0')) {
      if (!digitAt(i)) fail("bad number");
      while (digitAt(i)) ++i;
    }
    if (take('.')) {
      if (!digitAt(i)) fail("bad fraction");
      while (digitAt(i)) ++i;
    }
    if (take('e') || take('E')) {
      if (!take('+')) take('-');
      if (!digitAt(i)) fail("bad exponent");
      while (digitAt(i)) ++i;
    }
    return std::string(s.substr(start, i - start));
  }

  JsonField field() {
    JsonField f;
    if (i < s.size() && s[i] == '"') {
      f.kind = JsonField::Kind::string;
      f.text = string();
    } else if (s.substr(i, 4) == "null") {
      i += 4;
    } else if (s.substr(i, 4) == "true" || s.substr(i, 5) == "false") {
      f.kind = JsonField::Kind::boolean;
      f.text = s[i] == 't' ? "true" : "false";
      i += f.text.size();
    } else {
      f.kind = JsonField::Kind::number;
      f.text = number();
    }
    return f;
  }

  JsonRecord record() {
    JsonRecord r;
    skipSpace();
    expect('{');
    skipSpace();
    if (!take('}')) {
      do {
        skipSpace();
        std::string key = string();
        skipSpace();
        expect(':');
        skipSpace();
        r.members.emplace_back(std::move(key), field());
        skipSpace();
      } while (take(','));
      expect('}');
    }
    skipSpace();
    if (i != s.size()) fail("text after the record");
    return r;
  }
};

}  // namespace

JsonParse parseJsonRecord(std::string_view text) {
  JsonParse result;
  if (!isWellFormedUtf8(text)) {
    result.error = "not well-formed UTF-8";
    return result;
  }
  try {
    result.record = Reader{text}.record();
  } catch (const std::runtime_error& e) {
    result.error = e.what();
  }
  return result;
}

JsonLines parseJsonLines(std::string_view text) {
  JsonLines result;
  for (std::size_t line = 1; !text.empty(); ++line) {
    const std::size_t end = text.find('\n');
    JsonParse parsed = parseJsonRecord(text.substr(0, end));
    if (end == std::string_view::npos) parsed.error = "no line end";
    if (!parsed.error.empty()) {
      result.error = "line " + std::to_string(line) + ": " + parsed.error;
      return result;
    }
    result.records.push_back(std::move(parsed.record));
    text.remove_prefix(end + 1);
  }
  return result;
}

}  // namespace bitscope::testing
