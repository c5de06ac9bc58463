// SPDX-License-Identifier: MIT
// The message loop: the system's own, the message kept in the caller's record.
#include <memory>

#include "bindings/win32/win32_binding.h"

namespace bitscope {
namespace {

MSG& messageOf(LowMessage& message) {
  // A message taken is handled before the next is taken, so one place holds it.
  thread_local std::unique_ptr<MSG> storage = std::make_unique<MSG>();
  if (message.native == nullptr) message.native = storage.get();
  return *static_cast<MSG*>(message.native);
}

}  // namespace

bool lowGetMessage(LowMessage& message) {
  MSG& msg = messageOf(message);
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) {
    message.quitCode = static_cast<int>(msg.wParam);
    return false;
  }
  // An error (an invalid argument, which this call never passes) leaves an
  // empty message, which dispatching ignores.
  if (got == -1) msg = MSG{};
  return true;
}

bool lowIsDialogMessage(LowWindow* window, LowMessage& message) {
  if (window == nullptr || window->hwnd == nullptr || message.native == nullptr) return false;
  return IsDialogMessageW(window->hwnd, static_cast<MSG*>(message.native)) != FALSE;
}

void lowTranslateMessage(LowMessage& message) {
  if (message.native != nullptr) TranslateMessage(static_cast<MSG*>(message.native));
}

void lowDispatchMessage(LowMessage& message) {
  if (message.native != nullptr) DispatchMessageW(static_cast<MSG*>(message.native));
}

void lowPostQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

}  // namespace bitscope
