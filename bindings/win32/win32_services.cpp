// SPDX-License-Identifier: MIT
// Platform services: message boxes, icons and the fatal stop.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

UINT boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::None:
      break;
  }
  return 0;
}

}  // namespace

void lowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon, LowWindow* owner) {
  HWND ownerWindow = owner != nullptr ? owner->hwnd : nullptr;
  // Without an owner the box still holds back every window of the program, as
  // a modal box does; its text shows "&" as it stands.
  const UINT modality = ownerWindow != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
  MessageBoxW(ownerWindow, toWide(text).c_str(), toWide(caption).c_str(), MB_OK | boxIcon(icon) | modality);
}

void lowStopProgram(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

// ---- icons ------------------------------------------------------------------

LowIcon* lowLoadIcon(int resourceId, int pixels) {
  // Loaded once per size and kept for the life of the process, as the
  // program's windows and buttons hold on to them.
  static std::map<std::pair<int, int>, LowIcon> loaded;
  const auto key = std::make_pair(resourceId, pixels);
  if (const auto found = loaded.find(key); found != loaded.end()) return &found->second;
  auto* icon = static_cast<HICON>(
      LoadImageW(win32Instance(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
  if (icon == nullptr) return nullptr;
  return &loaded.emplace(key, LowIcon{icon, pixels}).first->second;
}

int lowSmallIconSize() { return GetSystemMetrics(SM_CXSMICON); }

void lowSetWindowIcon(LowWindow* window, LowIcon* icon) {
  if (window == nullptr || window->hwnd == nullptr || icon == nullptr) return;
  const bool small = icon->pixels <= GetSystemMetrics(SM_CXSMICON);
  SendMessageW(window->hwnd, WM_SETICON, small ? ICON_SMALL : ICON_BIG, reinterpret_cast<LPARAM>(icon->icon));
}

void lowSetButtonIcon(LowWindow* window, int id, LowIcon* icon) {
  Win32Control* control = win32FindControl(window, id);
  if (control == nullptr || control->hwnd == nullptr || control->kind != Win32ControlKind::PushButton) return;
  // The icon stands in for the caption, which stays the button's text for
  // assistive technologies.
  LONG style = GetWindowLongW(control->hwnd, GWL_STYLE);
  style = icon != nullptr ? style | BS_ICON : style & ~BS_ICON;
  SetWindowLongW(control->hwnd, GWL_STYLE, style);
  SendMessageW(control->hwnd, BM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(icon != nullptr ? icon->icon : nullptr));
  InvalidateRect(control->hwnd, nullptr, TRUE);
}

}  // namespace bitscope
