// SPDX-License-Identifier: MIT
// Resource-script reader for dialog templates: a lexer that turns the bytes
// into tokens, then a recursive-descent parser over the token list. Every
// check reports the line and stops; no input can make it read out of bounds,
// overflow a number or recurse without bound (the grammar has no nesting).
#include "dialog/rcparse.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>

#include "dialog/winstyle.h"

namespace bitscope {

namespace {

enum class TokenKind { Name, Number, String, Punct, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;          // Name, String (unescaped), Punct (one character)
  std::uint64_t number = 0;  // Number
  int line = 1;
};

bool isNameStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isNameChar(unsigned char c) { return isNameStart(c) || isDigit(c); }

int hexDigit(unsigned char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool equalsKeyword(const std::string& text, std::string_view keyword) {
  return std::equal(text.begin(), text.end(), keyword.begin(), keyword.end(), [](char a, char b) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(a) == upper(b);
  });
}

std::string describeByte(unsigned char c) {
  static constexpr char hex[] = "0123456789ABCDEF";
  if (c >= 0x21 && c < 0x7F) return std::string("unexpected character '") + static_cast<char>(c) + "'";
  return std::string("unexpected byte 0x") + hex[c >> 4] + hex[c & 0xF];
}

// ---- Lexer ------------------------------------------------------------------

struct Lexer {
  std::string_view input;
  std::size_t pos = 0;
  int line = 1;
  std::optional<RcParseError> error;

  bool fail(std::string reason) {
    error = RcParseError{line, std::move(reason)};
    return false;
  }
  bool atEnd() const { return pos >= input.size(); }
  unsigned char peek(std::size_t ahead = 0) const {
    return pos + ahead < input.size() ? static_cast<unsigned char>(input[pos + ahead]) : 0;
  }

  // Skips blanks and comments; false on an unterminated block comment.
  bool skipSpace() {
    while (!atEnd()) {
      const unsigned char c = peek();
      if (c == '\n') {
        ++line;
        ++pos;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++pos;
      } else if (c == '/' && peek(1) == '/') {
        while (!atEnd() && peek() != '\n') ++pos;
      } else if (c == '/' && peek(1) == '*') {
        const int startLine = line;
        pos += 2;
        while (!atEnd() && !(peek() == '*' && peek(1) == '/')) {
          if (peek() == '\n') ++line;
          ++pos;
        }
        if (atEnd()) {
          line = startLine;
          return fail("unterminated comment");
        }
        pos += 2;
      } else {
        return true;
      }
    }
    return true;
  }

  bool number(Token& token) {
    std::uint64_t value = 0;
    bool any = false;
    if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
      pos += 2;
      for (int d; (d = hexDigit(peek())) >= 0; ++pos) {
        value = value * 16 + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFu) return fail("number too large");
        any = true;
      }
      if (!any) return fail("hexadecimal number without digits");
    } else {
      for (; isDigit(peek()); ++pos) {
        value = value * 10 + (peek() - '0');
        if (value > 0xFFFFFFFFu) return fail("number too large");
      }
    }
    while (peek() == 'L' || peek() == 'l' || peek() == 'U' || peek() == 'u') ++pos;
    if (isNameChar(peek())) return fail("malformed number");
    token.kind = TokenKind::Number;
    token.number = value;
    return true;
  }

  bool string(Token& token) {
    ++pos;  // the opening quote
    token.kind = TokenKind::String;
    while (true) {
      if (atEnd() || peek() == '\n' || peek() == '\r') return fail("unterminated string");
      const unsigned char c = peek();
      if (c == '"') {
        if (peek(1) != '"') {
          ++pos;
          return true;
        }
        token.text += '"';
        pos += 2;
      } else if (c == '\\') {
        const unsigned char e = peek(1);
        switch (e) {
          case 'n':
            token.text += '\n';
            break;
          case 't':
            token.text += '\t';
            break;
          case 'r':
            token.text += '\r';
            break;
          case '\\':
            token.text += '\\';
            break;
          case '"':
            token.text += '"';
            break;
          default:
            return fail("unknown escape in a string");
        }
        pos += 2;
      } else if (c < 0x20 && c != '\t') {
        return fail("control character in a string");
      } else {
        token.text += static_cast<char>(c);
        ++pos;
      }
    }
  }

  // The next token; an End token at the end of input. False on a lexical error.
  bool next(Token& token) {
    token = Token{};
    if (!skipSpace()) return false;
    token.line = line;
    if (atEnd()) return true;
    const unsigned char c = peek();
    if (isNameStart(c)) {
      token.kind = TokenKind::Name;
      while (isNameChar(peek())) token.text += static_cast<char>(input[pos++]);
      return true;
    }
    if (isDigit(c)) return number(token);
    if (c == '"') return string(token);
    if (c == ',' || c == '|' || c == '{' || c == '}' || c == '-') {
      token.kind = TokenKind::Punct;
      token.text = static_cast<char>(c);
      ++pos;
      return true;
    }
    return fail(describeByte(c));
  }
};

// ---- Parser -----------------------------------------------------------------

constexpr std::uint32_t controlBaseStyle = winstyle::WS_CHILD | winstyle::WS_VISIBLE;
constexpr std::uint32_t dialogDefaultStyle = winstyle::WS_POPUP | winstyle::WS_BORDER | winstyle::WS_SYSMENU;

struct Parser {
  std::vector<Token> tokens;  // ends with an End token
  std::size_t at = 0;
  std::optional<RcParseError> error;

  const Token& peek() const { return tokens[at]; }
  const Token& take() { return tokens[at < tokens.size() - 1 ? at++ : at]; }

  bool fail(std::string reason) {
    error = RcParseError{peek().line, std::move(reason)};
    return false;
  }
  bool isPunct(char c) const { return peek().kind == TokenKind::Punct && peek().text[0] == c; }
  bool isKeyword(std::string_view keyword) const {
    return peek().kind == TokenKind::Name && equalsKeyword(peek().text, keyword);
  }
  bool acceptPunct(char c) {
    if (!isPunct(c)) return false;
    take();
    return true;
  }
  bool expectComma(const char* after) {
    return acceptPunct(',') || fail(std::string("expected ',' after ") + after);
  }

  // [-] number, within [low, high].
  bool integer(std::int64_t& out, std::int64_t low, std::int64_t high, const char* what) {
    const bool negative = acceptPunct('-');
    if (peek().kind != TokenKind::Number) return fail(std::string("expected a number for ") + what);
    const auto magnitude = static_cast<std::int64_t>(take().number);
    out = negative ? -magnitude : magnitude;
    if (out < low || out > high) {
      --at;
      return fail(std::string(what) + " out of range");
    }
    return true;
  }
  bool coordinate(int& out, const char* what) {
    std::int64_t value = 0;
    if (!integer(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(),
                 what))
      return false;
    out = static_cast<int>(value);
    return true;
  }
  // x, y, width, height
  bool rectangle(int& x, int& y, int& width, int& height) {
    return coordinate(x, "x") && expectComma("x") && coordinate(y, "y") && expectComma("y") &&
           coordinate(width, "width") && expectComma("width") && coordinate(height, "height");
  }

  // term { "|" term }, term = [NOT] (name | number); applied to value in order.
  bool styleExpression(std::uint32_t& value) {
    do {
      const bool negate = isKeyword("NOT");
      if (negate) take();
      std::uint32_t bits = 0;
      if (peek().kind == TokenKind::Number) {
        bits = static_cast<std::uint32_t>(take().number);
      } else if (peek().kind == TokenKind::Name) {
        const auto named = winstyle::styleByName(peek().text);
        if (!named) return fail("unknown style name " + peek().text);
        bits = *named;
        take();
      } else {
        return fail("expected a style name or number");
      }
      value = negate ? (value & ~bits) : (value | bits);
    } while (acceptPunct('|'));
    return true;
  }

  bool control(DialogTemplate& dialog, bool extended) {
    take();  // CONTROL
    TemplateItem item;
    if (peek().kind == TokenKind::String) {
      item.title = take().text.substr(0, maxTemplateTitle);
    } else if (peek().kind == TokenKind::Number) {
      std::int64_t number = 0;
      if (!integer(number, 0, 0xFFFF, "the title's resource number")) return false;
      item.titleIsResource = true;
      item.resourceNumber = static_cast<int>(number);
    } else {
      return fail("expected the control's title");
    }
    std::int64_t id = 0;
    if (!expectComma("the title") ||
        !integer(id, std::numeric_limits<std::int32_t>::min(), 0xFFFFFFFFLL, "control id") ||
        !expectComma("the control id"))
      return false;
    // The plain template keeps 16 unsigned bits of the id, the extended one 32 signed bits.
    item.id = extended ? static_cast<std::int32_t>(static_cast<std::uint32_t>(id))
                       : static_cast<std::int32_t>(static_cast<std::uint32_t>(id) & 0xFFFFu);
    if (peek().kind != TokenKind::String && peek().kind != TokenKind::Name)
      return fail("expected the control's class");
    item.className = take().text;
    item.controlClass = classOf(item.className);
    item.style = controlBaseStyle;
    if (!expectComma("the class") || !styleExpression(item.style) || !expectComma("the style") ||
        !rectangle(item.x, item.y, item.width, item.height))
      return false;
    if (extended && acceptPunct(',')) {
      if (!styleExpression(item.exStyle)) return false;
      std::int64_t helpId = 0;
      if (acceptPunct(',') &&
          !integer(helpId, std::numeric_limits<std::int32_t>::min(), 0xFFFFFFFFLL, "help id"))
        return false;
    }
    if (dialog.items.size() >= 0xFFFF) return fail("too many controls in one dialog");
    dialog.items.push_back(std::move(item));
    return true;
  }

  static ControlClass classOf(const std::string& name) {
    static constexpr std::pair<std::string_view, ControlClass> predefined[] = {
        {"Button", ControlClass::Button},       {"Edit", ControlClass::Edit},
        {"Static", ControlClass::Static},       {"ListBox", ControlClass::ListBox},
        {"ScrollBar", ControlClass::ScrollBar}, {"ComboBox", ControlClass::ComboBox},
    };
    for (const auto& [className, controlClass] : predefined)
      if (equalsKeyword(name, className)) return controlClass;
    return ControlClass::Named;
  }

  bool font(DialogTemplate& dialog) {
    take();  // FONT
    std::int64_t value = 0;
    if (!integer(value, 1, 0xFFFF, "point size")) return false;
    dialog.fontPointSize = static_cast<int>(value);
    if (!expectComma("the point size")) return false;
    if (peek().kind != TokenKind::String) return fail("expected the font's face name");
    dialog.fontName = take().text;
    if (!acceptPunct(',')) return true;
    if (!integer(value, 0, 1000, "font weight")) return false;
    dialog.fontWeight = static_cast<int>(value);
    if (!expectComma("the font weight") || !integer(value, 0, 0xFF, "italic flag")) return false;
    dialog.fontItalic = value != 0;
    return !acceptPunct(',') || integer(value, 0, 0xFF, "character set");
  }

  bool dialogStatement(std::set<int>& seenIds) {
    DialogTemplate dialog;
    std::int64_t id = 0;
    if (!integer(id, 1, 0xFFFF, "dialog id")) return false;
    dialog.id = static_cast<int>(id);
    if (!seenIds.insert(dialog.id).second) {
      --at;
      return fail("dialog " + std::to_string(dialog.id) + " is defined twice");
    }
    const bool extended = isKeyword("DIALOGEX");
    if (!extended && !isKeyword("DIALOG")) return fail("expected DIALOGEX or DIALOG");
    take();
    if (!rectangle(dialog.x, dialog.y, dialog.width, dialog.height)) return false;
    std::int64_t helpId = 0;
    if (extended && acceptPunct(',') &&
        !integer(helpId, std::numeric_limits<std::int32_t>::min(), 0xFFFFFFFFLL, "help id"))
      return false;

    bool hasStyle = false;
    while (!isKeyword("BEGIN") && !isPunct('{')) {
      if (isKeyword("STYLE")) {
        take();
        hasStyle = true;
        if (!styleExpression(dialog.style)) return false;
      } else if (isKeyword("EXSTYLE")) {
        take();
        if (!styleExpression(dialog.exStyle)) return false;
      } else if (isKeyword("CAPTION")) {
        take();
        if (peek().kind != TokenKind::String) return fail("expected the caption text");
        dialog.caption = take().text;
      } else if (isKeyword("FONT")) {
        if (!font(dialog)) return false;
      } else {
        return fail("expected STYLE, EXSTYLE, CAPTION, FONT or BEGIN");
      }
    }
    take();  // BEGIN
    if (!hasStyle) dialog.style = dialogDefaultStyle;
    if (!dialog.fontName.empty()) dialog.style |= winstyle::DS_SETFONT;
    while (!isKeyword("END") && !isPunct('}')) {
      if (!isKeyword("CONTROL")) return fail("expected CONTROL or END");
      if (!control(dialog, extended)) return false;
    }
    take();  // END
    dialogs.push_back(std::move(dialog));
    return true;
  }

  std::vector<DialogTemplate> dialogs;

  bool script() {
    std::set<int> seenIds;
    while (peek().kind != TokenKind::End)
      if (!dialogStatement(seenIds)) return false;
    return true;
  }
};

}  // namespace

RcParseResult parseResourceScript(std::string_view script) {
  RcParseResult result;
  Lexer lexer;
  lexer.input = script;
  Parser parser;
  Token token;
  do {
    if (!lexer.next(token)) {
      result.error = lexer.error;
      return result;
    }
    parser.tokens.push_back(token);
  } while (token.kind != TokenKind::End);

  if (parser.script())
    result.dialogs = std::move(parser.dialogs);
  else
    result.error = parser.error;
  return result;
}

std::string describe(const RcParseError& error) {
  return "line " + std::to_string(error.line) + ": " + error.reason;
}

}  // namespace bitscope
