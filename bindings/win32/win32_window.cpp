// SPDX-License-Identifier: MIT
// Dialog windows: creation from a template by the dialog manager, the modal
// loop, destruction, and the notices a window sends about itself.
#include <algorithm>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

std::vector<LowWindow*> liveWindows;  // every window record not yet released

// What WM_INITDIALOG needs to adopt the dialog manager's window.
struct Creation {
  LowWindow* window;
  const DialogTemplate* tpl;
};

LowEvent cancelCommand() {
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = IDCANCEL;
  event.notify = LowNotify::Clicked;
  event.fromControl = false;
  return event;
}

LowNotify noticeOf(Win32ControlKind kind, WORD code) {
  switch (kind) {
    case Win32ControlKind::PushButton:
    case Win32ControlKind::CheckBox:
    case Win32ControlKind::RadioButton:
      if (code == BN_CLICKED) return LowNotify::Clicked;
      break;
    case Win32ControlKind::Edit:
      switch (code) {
        case EN_CHANGE:
          return LowNotify::EditChange;
        case EN_UPDATE:
          return LowNotify::EditUpdate;
        case EN_SETFOCUS:
          return LowNotify::FocusIn;
        case EN_KILLFOCUS:
          return LowNotify::FocusOut;
        default:
          break;
      }
      break;
    case Win32ControlKind::List:
      if (code == LBN_SELCHANGE) return LowNotify::ListSelChange;
      if (code == LBN_DBLCLK) return LowNotify::ListDblClick;
      break;
    default:
      break;
  }
  return LowNotify::Other;
}

void onCommand(LowWindow& window, WPARAM wParam, LPARAM lParam) {
  const int id = static_cast<short>(LOWORD(wParam));
  if (lParam == 0) {
    // The keyboard's Enter or Esc without a control of that id, or the close box.
    LowEvent event = id == IDCANCEL ? cancelCommand() : LowEvent{};
    event.controlId = id;
    event.notify = LowNotify::Clicked;
    event.fromControl = false;
    win32Notify(&window, event);
    return;
  }
  Win32Control* control = win32FindControl(&window, reinterpret_cast<HWND>(lParam));
  if (control == nullptr) return;
  const LowNotify notify = noticeOf(control->kind, HIWORD(wParam));
  if (notify == LowNotify::Other) return;
  // The program's own write notifies once it is complete (win32SetEditText).
  const bool written =
      (notify == LowNotify::EditChange || notify == LowNotify::EditUpdate) && window.writingId == control->id;
  if (!written) win32NotifyCommand(&window, control->id, notify);
}

void onSize(LowWindow& window, WPARAM kind) {
  const bool minimised = kind == SIZE_MINIMIZED;
  if (minimised == window.minimised) return;
  window.minimised = minimised;
  LowEvent event;
  event.kind = LowEvent::Kind::Size;
  event.size = minimised ? LowSizeKind::Minimised : LowSizeKind::Restored;
  win32Notify(&window, event);
}

// Destroy reaches the dialog layer once. The dialog manager destroys owned
// windows before their owner, so theirs comes first.
void deliverDestroy(LowWindow& window) {
  if (window.destroyDelivered) return;
  window.destroying = true;
  window.destroyDelivered = true;
  LowEvent event;
  event.kind = LowEvent::Kind::Destroy;
  dlgWindowEvent(&window, event);
}

void release(LowWindow* window) {
  liveWindows.erase(std::remove(liveWindows.begin(), liveWindows.end(), window), liveWindows.end());
  for (LowWindow* other : liveWindows)
    if (other->owner == window) other->owner = nullptr;
  delete window;
}

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* creation = reinterpret_cast<const Creation*>(lParam);
    LowWindow* window = creation->window;
    window->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
    win32AdoptControls(*window, *creation->tpl);
    LowEvent init;
    init.kind = LowEvent::Kind::Init;
    win32Notify(window, init);
    return TRUE;  // the focus goes to the first control with a tab stop
  }
  auto* window = reinterpret_cast<LowWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (window == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      onCommand(*window, wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      // The window goes only when the dialog layer destroys it; the close box
      // asks for that with the cancel command, unless the program disabled it.
      if (window->closeEnabled) win32Notify(window, cancelCommand());
      return TRUE;
    case WM_ACTIVATE: {
      LowEvent event;
      event.kind = LowEvent::Kind::Activate;
      event.active = LOWORD(wParam) != WA_INACTIVE;
      win32Notify(window, event);
      return FALSE;  // the dialog manager keeps the focus where it was
    }
    case WM_SIZE:
      onSize(*window, wParam);
      return FALSE;
    case WM_NOTIFY:
      return win32ToolTipText(*window, reinterpret_cast<NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_DESTROY:
      deliverDestroy(*window);
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      window->hwnd = nullptr;
      // A modal run releases its record when the dialog manager returns.
      if (!window->modal) release(window);
      return FALSE;
    default:
      return FALSE;
  }
}

LowWindow* newWindow(LowWindow* owner, void* userData, bool modal) {
  auto* window = new LowWindow;
  window->userData = userData;
  window->owner = owner;
  window->modal = modal;
  liveWindows.push_back(window);
  return window;
}

}  // namespace

// ---- shared within the binding ----------------------------------------------

void win32Notify(LowWindow* window, const LowEvent& event) {
  if (window == nullptr || window->destroying) return;
  dlgWindowEvent(window, event);
}

void win32NotifyCommand(LowWindow* window, int controlId, LowNotify notify) {
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = controlId;
  event.notify = notify;
  win32Notify(window, event);
}

Win32Control* win32FindControl(LowWindow* window, int id) {
  if (window == nullptr) return nullptr;
  for (Win32Control& control : window->controls)
    if (control.id == id) return &control;
  return nullptr;
}

Win32Control* win32FindControl(LowWindow* window, HWND hwnd) {
  if (window == nullptr || hwnd == nullptr) return nullptr;
  for (Win32Control& control : window->controls)
    if (control.hwnd == hwnd) return &control;
  return nullptr;
}

bool win32IsLive(const LowWindow* window) {
  return std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end();
}

HINSTANCE win32Instance() { return GetModuleHandleW(nullptr); }

// ---- dlglow.h: windows --------------------------------------------------------

LowWindow* lowCreateModeless(const DialogTemplate& tpl, LowWindow* owner, int showMode, void* userData) {
  LowWindow* window = newWindow(owner, userData, false);
  const std::vector<WORD> bytes = buildDialogTemplate(tpl);
  Creation creation{window, &tpl};
  const HWND hwnd = CreateDialogIndirectParamW(
      win32Instance(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
      owner != nullptr ? owner->hwnd : nullptr, dialogProc, reinterpret_cast<LPARAM>(&creation));
  if (hwnd == nullptr || !IsWindow(hwnd)) {
    // Never made, or ended while starting (then its record is gone already).
    if (win32IsLive(window) && window->hwnd == nullptr) release(window);
    return nullptr;
  }
  if (!win32IsLive(window) || window->destroying) return nullptr;
  ShowWindow(hwnd, showMode);
  return window;
}

int lowRunModal(const DialogTemplate& tpl, LowWindow* owner, void* userData) {
  LowWindow* window = newWindow(owner, userData, true);
  const std::vector<WORD> bytes = buildDialogTemplate(tpl);
  Creation creation{window, &tpl};
  const INT_PTR ran = DialogBoxIndirectParamW(
      win32Instance(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
      owner != nullptr ? owner->hwnd : nullptr, dialogProc, reinterpret_cast<LPARAM>(&creation));
  const bool made = window->modalEnded || window->destroying;
  const int result = window->modalResult;
  release(window);
  return ran == -1 && !made ? -1 : result;
}

void lowEndModal(LowWindow* window, int result) {
  if (window == nullptr || !window->modal || window->hwnd == nullptr) return;
  window->modalResult = result;
  window->modalEnded = true;
  EndDialog(window->hwnd, result);
}

void lowDestroyWindow(LowWindow* window) {
  // A destruction already under way (the layer's Destroy handler asking
  // again) finishes by itself.
  if (window == nullptr || window->destroying || window->hwnd == nullptr) return;
  if (window->modal) {
    // The dialog manager destroys a modal window only once its loop has ended;
    // the layer is told now, after the windows it owns.
    std::vector<LowWindow*> owned;
    for (LowWindow* other : liveWindows)
      if (other->owner == window) owned.push_back(other);
    for (LowWindow* child : owned) lowDestroyWindow(child);
    deliverDestroy(*window);
    window->modalEnded = true;
    EndDialog(window->hwnd, window->modalResult);
    return;
  }
  // Counts as going from now on, so that the handlers of the windows it owns,
  // destroyed first, cannot destroy it a second time.
  window->destroying = true;
  DestroyWindow(window->hwnd);
}

void* lowGetUserData(LowWindow* window) { return window != nullptr ? window->userData : nullptr; }

void lowSetTitle(LowWindow* window, const std::string& title) {
  if (window != nullptr && window->hwnd != nullptr) SetWindowTextW(window->hwnd, toWide(title).c_str());
}

void lowEnableCloseItem(LowWindow* window, bool enabled) {
  if (window == nullptr || window->hwnd == nullptr) return;
  window->closeEnabled = enabled;
  if (HMENU menu = GetSystemMenu(window->hwnd, FALSE))
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace bitscope
