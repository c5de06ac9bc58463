// SPDX-License-Identifier: MIT
// The in-memory dialog template. The windows are made from the same parsed
// templates as the dialog layer's control tables and the other bindings' windows,
// not from a second compilation of the resource script: one parser, one source of
// geometry, and the dialog manager itself turns dialog units into pixels with the
// dialog font, as the templates were designed for.
#include <algorithm>
#include <array>
#include <cctype>
#include <cwchar>
#include <string_view>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

// Where a template names a bitmap face (one size only: it neither follows the
// screen's scale nor shrinks to fit a long label) or a face that is missing, the
// first scalable face installed of these lays the window out. Arial's metrics
// come first because the Qt window uses their free twin, Liberation Sans: the two
// windows then have the same geometry. Windows has Arial; Wine finds the
// Liberation faces on the system, and ships Tahoma itself.
struct FontSubstitute {
  std::string_view named;
  std::array<const wchar_t*, 3> faces;  // in order of preference; null ends a shorter list
};
constexpr std::array<FontSubstitute, 5> fontSubstitutes = {{
    {"MS Sans Serif", {L"Arial", L"Liberation Sans", L"Tahoma"}},
    {"MS Shell Dlg", {L"Arial", L"Liberation Sans", L"Tahoma"}},
    {"Arial", {L"Liberation Sans", L"Tahoma"}},
    {"Times New Roman", {L"Liberation Serif"}},
    {"Courier New", {L"Liberation Mono"}},
}};

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

class TemplateWriter {
 public:
  void word(WORD w) { words_.push_back(w); }
  void dword(DWORD d) {
    word(LOWORD(d));
    word(HIWORD(d));
  }
  void text(const std::wstring& s) {
    for (const wchar_t c : s) word(static_cast<WORD>(c));
    word(0);
  }
  void ordinal(WORD value) {
    word(0xFFFF);
    word(value);
  }
  void alignToDword() {
    if (words_.size() % 2 != 0) word(0);
  }
  std::vector<WORD> take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

void writeItem(TemplateWriter& out, const TemplateItem& item) {
  out.alignToDword();
  out.dword(0);  // help id
  out.dword(item.exStyle);
  // Each button shows an icon only once the program gives it one; until then
  // its caption, as in the other bindings.
  std::uint32_t style = item.style;
  if (item.controlClass == ControlClass::Button) style &= ~BS_ICON;
  // A list box keeps the template's height, as in the other bindings, instead
  // of shrinking to whole items.
  if (item.controlClass == ControlClass::ListBox) style |= LBS_NOINTEGRALHEIGHT;
  out.dword(style);
  out.word(static_cast<WORD>(item.x));
  out.word(static_cast<WORD>(item.y));
  out.word(static_cast<WORD>(item.width));
  out.word(static_cast<WORD>(item.height));
  out.dword(static_cast<DWORD>(item.id));
  if (item.controlClass == ControlClass::Named)
    out.text(toWide(item.className));
  else
    out.ordinal(static_cast<WORD>(item.controlClass));
  if (item.titleIsResource)
    out.ordinal(static_cast<WORD>(item.resourceNumber));
  else
    out.text(toWide(item.title));
  out.word(0);  // no creation data
}

int CALLBACK noteScalable(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM scalable) {
  if ((type & RASTER_FONTTYPE) != 0) return 1;  // a bitmap: look on
  *reinterpret_cast<bool*>(scalable) = true;
  return 0;
}

// Enumeration knows only faces that are installed; the font mapper would answer
// any name with its nearest match.
bool installedScalable(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  bool scalable = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteScalable, reinterpret_cast<LPARAM>(&scalable), 0);
  ReleaseDC(nullptr, screen);
  return scalable;
}

}  // namespace

std::wstring dialogFontFace(const std::string& templateFontName) {
  const std::wstring named = toWide(templateFontName);
  if (installedScalable(named)) return named;
  for (const FontSubstitute& s : fontSubstitutes) {
    if (!sameName(s.named, templateFontName)) continue;
    for (const wchar_t* face : s.faces)
      if (face != nullptr && installedScalable(face)) return face;
  }
  return named;
}

std::vector<WORD> buildDialogTemplate(const DialogTemplate& tpl) {
  TemplateWriter out;
  out.word(1);       // version
  out.word(0xFFFF);  // the extended template
  out.dword(0);      // help id
  out.dword(tpl.exStyle);
  // The window is shown by the binding with the program's show command.
  out.dword((tpl.style | DS_SETFONT) & ~WS_VISIBLE);
  out.word(static_cast<WORD>(tpl.items.size()));
  out.word(static_cast<WORD>(tpl.x));
  out.word(static_cast<WORD>(tpl.y));
  out.word(static_cast<WORD>(tpl.width));
  out.word(static_cast<WORD>(tpl.height));
  out.word(0);  // no menu
  out.word(0);  // the dialog class
  out.text(toWide(tpl.caption));
  out.word(static_cast<WORD>(tpl.fontPointSize > 0 ? tpl.fontPointSize : 8));
  out.word(static_cast<WORD>(tpl.fontWeight > 0 ? std::clamp(tpl.fontWeight, 1, 1000) : FW_NORMAL));
  out.word(static_cast<WORD>(tpl.fontItalic ? 1 : 0) | static_cast<WORD>(DEFAULT_CHARSET << 8));
  out.text(dialogFontFace(tpl.fontName));
  for (const TemplateItem& item : tpl.items) writeItem(out, item);
  return out.take();
}

}  // namespace bitscope
