// SPDX-License-Identifier: MIT
// The window binding on the Windows dialog manager: the control operations of
// dlglow.h. Windows are in win32_window.cpp, the controls' set-up in
// win32_controls.cpp, the message loop in win32_loop.cpp and the platform
// services in win32_services.cpp, win32_files.cpp and win32_documents.cpp.
#include <algorithm>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

Win32Control* controlOf(LowWindow* window, int id, Win32ControlKind kind) {
  Win32Control* control = win32FindControl(window, id);
  return control != nullptr && control->kind == kind && control->hwnd != nullptr ? control : nullptr;
}

HWND editOf(LowWindow* window, int id) {
  const Win32Control* control = controlOf(window, id, Win32ControlKind::Edit);
  return control != nullptr ? control->hwnd : nullptr;
}

HWND listOf(LowWindow* window, int id) {
  const Win32Control* control = controlOf(window, id, Win32ControlKind::List);
  return control != nullptr ? control->hwnd : nullptr;
}

// Check boxes and radio buttons; a push button has no check mark.
Win32Control* checkableOf(LowWindow* window, int id) {
  Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->hwnd == nullptr ||
      (control->kind != Win32ControlKind::CheckBox && control->kind != Win32ControlKind::RadioButton))
    return nullptr;
  return control;
}

bool isMultiple(HWND list) {
  return (GetWindowLongW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

}  // namespace

bool lowHasControl(LowWindow* window, int id) { return win32FindControl(window, id) != nullptr; }

void lowSetText(LowWindow* window, int id, const std::string& text) {
  Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->hwnd == nullptr) return;
  if (control->kind == Win32ControlKind::Edit) {
    win32SetEditText(*window, *control, text);
    return;
  }
  control->caption = text;
  win32ShowCaption(*control);
}

std::string lowGetText(LowWindow* window, int id) {
  const Win32Control* control = win32FindControl(window, id);
  if (control == nullptr) return {};
  if (control->kind == Win32ControlKind::Edit) return fromWide(windowText(control->hwnd));
  return control->caption;
}

void lowEnable(LowWindow* window, int id, bool enabled) {
  const Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->hwnd == nullptr) return;
  // A control that is disabled while it has the focus hands it on to the
  // next, as the dialog manager expects of a program: a disabled control
  // would keep the keys but do nothing with them.
  if (!enabled && GetFocus() == control->hwnd) SendMessageW(window->hwnd, WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(control->hwnd, enabled ? TRUE : FALSE);
}

bool lowIsEnabled(LowWindow* window, int id) {
  const Win32Control* control = win32FindControl(window, id);
  return control != nullptr && control->hwnd != nullptr && IsWindowEnabled(control->hwnd) != FALSE;
}

void lowSetCheck(LowWindow* window, int id, bool checked) {
  Win32Control* button = checkableOf(window, id);
  if (button == nullptr) return;
  // A radio button checked by the program unchecks the others of its group, as
  // a click would; the native message sets the one mark only. The checked
  // radio carries the group's tab stop.
  if (checked && button->kind == Win32ControlKind::RadioButton) {
    for (Win32Control& other : window->controls)
      if (&other != button && other.kind == Win32ControlKind::RadioButton &&
          other.radioGroup == button->radioGroup)
        SendMessageW(other.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageW(button->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool lowGetCheck(LowWindow* window, int id) {
  const Win32Control* button = checkableOf(window, id);
  return button != nullptr && SendMessageW(button->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void lowSetCaret(LowWindow* window, int id, int index) {
  HWND edit = editOf(window, id);
  if (edit == nullptr) return;
  const int at = toUtf16Index(windowText(edit), std::max(0, index));
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
}

int lowGetSelectionEnd(LowWindow* window, int id) {
  HWND edit = editOf(window, id);
  if (edit == nullptr) return 0;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return toCharIndex(windowText(edit), static_cast<int>(end));
}

void lowSetTextLimit(LowWindow* window, int id, int maxChars) {
  Win32Control* control = controlOf(window, id, Win32ControlKind::Edit);
  if (control == nullptr) return;
  control->maxChars = std::max(0, maxChars);
  // The native limit cuts pastes, but keeps a longer text already there: the
  // binding cuts that, as a write. (A limit of 0 would mean none natively; the
  // binding's own checks refuse every keystroke and paste then.)
  SendMessageW(control->hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(std::max(1, control->maxChars)), 0);
  const std::wstring text = windowText(control->hwnd);
  if (static_cast<int>(text.size()) > control->maxChars) win32SetEditText(*window, *control, fromWide(text));
}

void lowSetAccessibleText(LowWindow* window, int id, const AccessibleText& text) {
  Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->accessible == text) return;
  control->accessible = text;
  if (control->hwnd == nullptr) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control->hwnd, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control->hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void lowListReset(LowWindow* window, int id) {
  if (HWND list = listOf(window, id)) SendMessageW(list, LB_RESETCONTENT, 0, 0);
}

void lowListAdd(LowWindow* window, int id, const std::string& text) {
  // A sorted list box inserts in order by itself.
  if (HWND list = listOf(window, id))
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

int lowListCount(LowWindow* window, int id) {
  HWND list = listOf(window, id);
  return list != nullptr ? std::max(0, static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) : 0;
}

std::string lowListText(LowWindow* window, int id, int index) {
  HWND list = listOf(window, id);
  if (list == nullptr) return {};
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got =
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return fromWide(text);
}

void lowListSelect(LowWindow* window, int id, int index) {
  HWND list = listOf(window, id);
  if (list == nullptr) return;
  const bool inRange = index >= 0 && index < lowListCount(window, id);
  if (!isMultiple(list))
    SendMessageW(list, LB_SETCURSEL, inRange ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
  else if (inRange)
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
}

bool lowListIsSelected(LowWindow* window, int id, int index) {
  HWND list = listOf(window, id);
  return list != nullptr && SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

bool lowListIsMultiple(LowWindow* window, int id) {
  HWND list = listOf(window, id);
  return list != nullptr && isMultiple(list);
}

}  // namespace bitscope
