// SPDX-License-Identifier: MIT
// Tooltips through the system's tooltip control, their text made only when one
// is about to show, and the copy item they may add to an edit box's context menu.
#include <windows.h>  // before the headers of the system's parts

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

// Wide enough for the longest exact value to break into a few lines.
constexpr int toolTipWidth = 600;

enum MenuCommand : UINT { Undo = 1, Cut, Copy, Paste, Delete, SelectAll, CopyExact };

HWND toolTipsOf(LowWindow& window) {
  if (window.toolTips == nullptr) {
    window.toolTips = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window.hwnd, nullptr, win32Instance(), nullptr);
    SendMessageW(window.toolTips, TTM_SETMAXTIPWIDTH, 0, toolTipWidth);
  }
  return window.toolTips;
}

TTTOOLINFOW toolOf(const LowWindow& window, const Win32Control& control) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window.hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  return tool;
}

// The character under the mouse, or -1 past the text. The caret position
// nearest to a point is the boundary before or after the character under it;
// measured from half a character further left, it is the one before.
int characterUnderMouse(const Win32Control& control) {
  POINT mouse{};
  GetCursorPos(&mouse);
  ScreenToClient(control.hwnd, &mouse);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(control.hwnd);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control.hwnd, WM_GETFONT, 0, 0)));
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control.hwnd, dc);
  const int x = std::max(0L, mouse.x - metrics.tmAveCharWidth / 2);
  const LRESULT found = SendMessageW(control.hwnd, EM_CHARFROMPOS, 0, MAKELPARAM(x, std::max(0L, mouse.y)));
  const std::wstring shown = windowText(control.hwnd);
  const int character = toCharIndex(shown, LOWORD(found));
  return character < toCharIndex(shown, static_cast<int>(shown.size())) ? character : -1;
}

void copyToClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
}

}  // namespace

bool win32ToolTipText(LowWindow& window, NMHDR* header) {
  if (header == nullptr || header->code != TTN_GETDISPINFOW || header->hwndFrom != window.toolTips)
    return false;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  Win32Control* control = win32FindControl(&window, reinterpret_cast<HWND>(header->idFrom));
  static std::wstring shown;  // read by the tooltip control after this returns
  shown.clear();
  if (control != nullptr && control->toolTip.text) {
    const int character = control->kind == Win32ControlKind::Edit ? characterUnderMouse(*control) : -1;
    control->toolTipCharacter = character;
    shown = toWide(control->toolTip.text(character));
    // The tooltip control breaks lines at CR LF.
    for (std::size_t at = shown.find(L'\n'); at != std::wstring::npos; at = shown.find(L'\n', at + 2))
      shown.insert(at, 1, L'\r');
  }
  info->lpszText = shown.data();
  info->hinst = nullptr;
  return true;
}

void win32ToolTipMouseMoved(LowWindow& window, Win32Control& control) {
  if (!control.hasTool || !control.toolTip.text || window.toolTips == nullptr) return;
  // A bit box's tooltip is about the bit under the mouse: a move onto another
  // bit asks for the text again.
  const int character = characterUnderMouse(control);
  if (character == control.toolTipCharacter) return;
  control.toolTipCharacter = character;
  SendMessageW(window.toolTips, TTM_UPDATE, 0, 0);
}

bool win32ToolTipContextMenu(LowWindow& window, Win32Control& control, LPARAM position) {
  if (control.kind != Win32ControlKind::Edit || control.toolTip.copyLabel.empty()) return false;
  // The edit box's own menu cannot take an item, so the binding makes the
  // same menu with the copy item after it.
  HMENU menu = CreatePopupMenu();
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(control.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const bool readOnly = (GetWindowLongW(control.hwnd, GWL_STYLE) & ES_READONLY) != 0;
  const auto add = [menu](UINT id, const wchar_t* label, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, label);
  };
  add(Undo, bindingText(BindingText::Undo).c_str(),
      !readOnly && SendMessageW(control.hwnd, EM_CANUNDO, 0, 0) != 0);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(Cut, bindingText(BindingText::Cut).c_str(), selected && !readOnly);
  add(Copy, bindingText(BindingText::Copy).c_str(), selected);
  add(Paste, bindingText(BindingText::Paste).c_str(),
      !readOnly && IsClipboardFormatAvailable(CF_UNICODETEXT));
  add(Delete, bindingText(BindingText::Delete).c_str(), selected && !readOnly);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(SelectAll, bindingText(BindingText::SelectAll).c_str(), GetWindowTextLengthW(control.hwnd) > 0);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  const std::string copied = control.toolTip.copyText ? control.toolTip.copyText() : std::string();
  add(CopyExact, toWide(control.toolTip.copyLabel).c_str(), !copied.empty());
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) {  // from the keyboard: at the box
    RECT box{};
    GetWindowRect(control.hwnd, &box);
    at = {box.left, box.bottom};
  }
  HWND edit = control.hwnd;  // the record may go while the menu is open
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window.hwnd, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case Undo:
      SendMessageW(edit, WM_UNDO, 0, 0);
      break;
    case Cut:
      SendMessageW(edit, WM_CUT, 0, 0);
      break;
    case Copy:
      SendMessageW(edit, WM_COPY, 0, 0);
      break;
    case Paste:
      SendMessageW(edit, WM_PASTE, 0, 0);
      break;
    case Delete:
      SendMessageW(edit, WM_CLEAR, 0, 0);
      break;
    case SelectAll:
      SendMessageW(edit, EM_SETSEL, 0, -1);
      break;
    case CopyExact:
      copyToClipboard(edit, toWide(copied));
      break;
    default:
      break;
  }
  return true;
}

void lowSetToolTip(LowWindow* window, int id, const ToolTipSource& source) {
  Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->hwnd == nullptr) return;
  control->toolTip = source;
  if (control->hasTool) return;
  const TTTOOLINFOW tool = toolOf(*window, *control);
  control->hasTool =
      SendMessageW(toolTipsOf(*window), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

}  // namespace bitscope
