// SPDX-License-Identifier: MIT
// Texts at the system boundary: the program speaks Windows-1252, the wide
// (UTF-16) functions of Windows everything else. The project's own table
// converts, so that the result never depends on the machine's code pages.
#include "bindings/win32/win32_binding.h"
#include "textmodel/cp1252.h"

namespace bitscope {
namespace {

bool pairAt(const std::wstring& text, std::size_t i) {
  return i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}

}  // namespace

std::wstring toWide(const std::string& cp1252) {
  std::wstring wide;
  wide.reserve(cp1252.size());
  // Every Windows-1252 character lies in the basic plane: one unit each.
  for (const char32_t c : cp1252ToUnicode(cp1252)) wide.push_back(static_cast<wchar_t>(c));
  return wide;
}

std::string fromWide(const std::wstring& text) {
  std::u32string points;
  points.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (pairAt(text, i)) {
      points.push_back(0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) +
                       (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else {
      // An unpaired surrogate is no character: it becomes "?" like any other
      // that Windows-1252 lacks.
      const char32_t unit = text[i];
      points.push_back(unit >= 0xD800 && unit <= 0xDFFF ? U'\uFFFD' : unit);
    }
  }
  return cp1252FromUnicode(points);
}

int toCharIndex(const std::wstring& text, int utf16Index) {
  int chars = 0;
  for (std::size_t i = 0; static_cast<int>(i) < utf16Index && i < text.size(); ++i) {
    if (pairAt(text, i)) ++i;
    ++chars;
  }
  return chars;
}

int toUtf16Index(const std::wstring& text, int charIndex) {
  std::size_t i = 0;
  for (int chars = 0; chars < charIndex && i < text.size(); ++chars) i += pairAt(text, i) ? 2 : 1;
  return static_cast<int>(i);
}

std::wstring withoutMnemonics(const std::wstring& caption) {
  std::wstring out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out.push_back(caption[i]);
  }
  return out;
}

std::wstring windowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

}  // namespace bitscope
