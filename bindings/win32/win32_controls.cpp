// SPDX-License-Identifier: MIT
// The controls the dialog manager made from a template, recorded in template
// order, and what the binding adds to the native controls: captions in the
// program's encoding, the caret note of edit boxes, tooltips and accessibility.
#include <windows.h>  // before the headers of the system's parts

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <utility>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

Win32ControlKind kindOf(const TemplateItem& item) {
  switch (item.controlClass) {
    case ControlClass::Button:
      switch (item.style & BS_TYPEMASK) {
        case BS_GROUPBOX:
          return Win32ControlKind::GroupBox;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
          return Win32ControlKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
          return Win32ControlKind::RadioButton;
        default:
          return Win32ControlKind::PushButton;
      }
    case ControlClass::Edit:
      return Win32ControlKind::Edit;
    case ControlClass::Static:
      return (item.style & SS_TYPEMASK) == SS_ICON ? Win32ControlKind::Icon : Win32ControlKind::Label;
    case ControlClass::ListBox:
      return Win32ControlKind::List;
    case ControlClass::ScrollBar:
    case ControlClass::ComboBox:
    case ControlClass::Named:
      break;
  }
  return Win32ControlKind::Other;
}

constexpr UINT_PTR subclassId = 1;

// A font as the dialog's, a pixel height smaller; made once and kept, as the
// controls showing it may live as long as the program.
HFONT smallerFont(HFONT base, int pixels) {
  static std::map<std::pair<HFONT, int>, HFONT> made;
  HFONT& font = made[{base, pixels}];
  if (font == nullptr) {
    LOGFONTW description{};
    GetObjectW(base, sizeof description, &description);
    description.lfHeight = -pixels;
    description.lfWidth = 0;
    font = CreateFontIndirectW(&description);
  }
  return font;
}

bool fitsIn(HWND label, HFONT font, const std::wstring& text, UINT format) {
  RECT room{};
  GetClientRect(label, &room);
  HDC dc = GetDC(label);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT needed{0, 0, room.right, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return needed.right <= room.right && needed.bottom <= room.bottom;
}

// The dialog's font, else the largest of its smaller sizes, down to 70 %, in
// which `fits` holds; the smallest tried when none does.
template <class Fits>
HFONT largestFitting(HWND control, Fits fits) {
  auto* base = reinterpret_cast<HFONT>(SendMessageW(GetParent(control), WM_GETFONT, 0, 0));
  if (base == nullptr || fits(base)) return base;
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, base);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  const int pixels = metrics.tmHeight - metrics.tmInternalLeading;
  HFONT chosen = base;
  for (int size = pixels - 1; size >= std::max(6, pixels * 7 / 10); --size) {
    chosen = smallerFont(base, size);
    if (fits(chosen)) break;
  }
  return chosen;
}

void showIn(HWND control, HFONT font) {
  if (font != nullptr && reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != font)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// A static text whose words need more lines than its rectangle holds (a
// translation longer than the template's text, a substituted font) is shown
// in a smaller font in which it shows whole.
void fitLabel(Win32Control& control, const std::wstring& text) {
  const DWORD type = control.style & SS_TYPEMASK;
  const UINT format = (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE ? DT_SINGLELINE : DT_WORDBREAK) |
                      ((control.style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
  showIn(control.hwnd,
         largestFitting(control.hwnd, [&](HFONT font) { return fitsIn(control.hwnd, font, text, format); }));
}

int textWidth(HWND control, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

// The program's text in an edit box (a bit field, whose box the template sized
// for the narrower digits of the bitmap face) shows whole, the caret after it,
// in a smaller font rather than scrolled, as in the Qt window.
void fitEditText(Win32Control& control, const std::wstring& text) {
  RECT room{};
  SendMessageW(control.hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  const int width = room.right - room.left;
  showIn(control.hwnd, largestFitting(control.hwnd, [&](HFONT font) {
           return textWidth(control.hwnd, font, text) + 1 <= width;
         }));
}

// Every control answers a screen reader's question through the binding; an
// edit box also reports its caret and the character under the mouse.
LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
  auto* window = reinterpret_cast<LowWindow*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, controlProc, subclassId);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  Win32Control* control = win32FindControl(window, hwnd);
  if (control == nullptr) return DefSubclassProc(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT)
        return win32AccessibleObject(*window, *control, wParam, lParam);
      break;
    case WM_CONTEXTMENU:
      if (win32ToolTipContextMenu(*window, *control, lParam)) return 0;
      break;
    case WM_CHAR:
      // A typed character beyond the program's limit is refused before the
      // control sees it: no change, no notice (a native box may still notify).
      if (control->kind == Win32ControlKind::Edit && control->maxChars >= 0 && wParam >= L' ' &&
          GetWindowTextLengthW(hwnd) >= control->maxChars) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start == end) {
          MessageBeep(MB_OK);
          return 0;
        }
      }
      break;
    case WM_PASTE:
    case EM_REPLACESEL:
      // The native limit cuts an insertion to fit, but cannot be 0 (natively
      // no limit at all) and so stands at 1: with the program's limit of 0
      // nothing may go in.
      if (control->kind == Win32ControlKind::Edit && control->maxChars == 0) {
        MessageBeep(MB_OK);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (control->kind == Win32ControlKind::Edit) win32ToolTipMouseMoved(*window, *control);
      break;
    default:
      break;
  }
  const bool edit = control->kind == Win32ControlKind::Edit;
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  // Keys, clicks, drags and writes all move the caret; what is heard follows.
  // The message may have ended the window: the control is looked up again.
  if (edit &&
      (message == WM_KEYDOWN || message == WM_CHAR || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
       message == WM_MOUSEMOVE || message == EM_SETSEL || message == WM_SETTEXT || message == WM_PASTE ||
       message == WM_CUT || message == WM_CLEAR || message == WM_UNDO || message == EM_REPLACESEL) &&
      win32IsLive(window)) {
    if (Win32Control* still = win32FindControl(window, hwnd)) win32CaretMoved(*still);
  }
  return result;
}

}  // namespace

void win32AdoptControls(LowWindow& window, const DialogTemplate& tpl) {
  // The dialog manager makes the controls in template order, each below the
  // one before: the child list in z-order is the template.
  window.controls.reserve(tpl.items.size());
  HWND child = GetWindow(window.hwnd, GW_CHILD);
  int group = 0;
  for (const TemplateItem& item : tpl.items) {
    if ((item.style & WS_GROUP) != 0) ++group;
    Win32Control control;
    control.id = item.id;
    control.kind = kindOf(item);
    control.style = item.style;
    control.hwnd = child;
    control.radioGroup = control.kind == Win32ControlKind::RadioButton ? group : 0;
    // An edit box's title is its first content, not a caption.
    if (control.kind != Win32ControlKind::Edit && !item.titleIsResource) control.caption = item.title;
    window.controls.push_back(std::move(control));
    if (child != nullptr) {
      SetWindowSubclass(child, controlProc, subclassId, reinterpret_cast<DWORD_PTR>(&window));
      child = GetWindow(child, GW_HWNDNEXT);
    }
  }
  for (Win32Control& control : window.controls)
    if (control.kind == Win32ControlKind::Label && control.hwnd != nullptr)
      fitLabel(control, toWide(control.caption));
}

void win32ShowCaption(Win32Control& control) {
  if (control.hwnd == nullptr || control.kind == Win32ControlKind::Edit) return;
  const std::wstring caption = toWide(control.caption);
  if (control.kind == Win32ControlKind::Label) fitLabel(control, caption);
  SetWindowTextW(control.hwnd, caption.c_str());
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void win32SetEditText(LowWindow& window, Win32Control& control, const std::string& text) {
  std::wstring shown = toWide(text);
  if (control.maxChars >= 0 && static_cast<int>(shown.size()) > control.maxChars)
    shown.resize(static_cast<std::size_t>(control.maxChars));
  fitEditText(control, shown);
  window.writingId = control.id;
  SetWindowTextW(control.hwnd, shown.c_str());
  window.writingId = 0;
  // A write by the program notifies like a user's edit, even when the text
  // stays the same; the dialog layer tells the two apart.
  HWND dialog = window.hwnd;
  const int id = control.id;
  win32NotifyCommand(&window, id, LowNotify::EditUpdate);
  // The first notice may have ended the window.
  if (IsWindow(dialog) && win32IsLive(&window)) win32NotifyCommand(&window, id, LowNotify::EditChange);
}

}  // namespace bitscope
