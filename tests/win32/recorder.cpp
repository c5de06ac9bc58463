// SPDX-License-Identifier: MIT
#include "tests/win32/recorder.h"

#include <algorithm>
#include <utility>

namespace bitscope {
namespace {

std::function<void(LowWindow*, const LowEvent&)>& reaction() {
  static std::function<void(LowWindow*, const LowEvent&)> react;
  return react;
}

}  // namespace

// The binding's one call into the dialog layer.
bool dlgWindowEvent(LowWindow* window, const LowEvent& event) {
  test::notices().push_back({window, event});
  if (reaction()) reaction()(window, event);
  return true;
}

namespace test {

std::vector<Notice>& notices() {
  static std::vector<Notice> recorded;
  return recorded;
}

void resetNotices() {
  notices().clear();
  reaction() = nullptr;
}

void reactWith(std::function<void(LowWindow*, const LowEvent&)> react) { reaction() = std::move(react); }

int commandCount(int controlId, LowNotify notify) {
  return static_cast<int>(std::count_if(notices().begin(), notices().end(), [&](const Notice& n) {
    return n.event.kind == LowEvent::Kind::Command && n.event.controlId == controlId &&
           n.event.notify == notify;
  }));
}

int kindCount(LowEvent::Kind kind) {
  return static_cast<int>(std::count_if(notices().begin(), notices().end(),
                                        [&](const Notice& n) { return n.event.kind == kind; }));
}

void pump(LowWindow* window) {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    LowMessage message;
    message.native = &msg;
    if (!lowIsDialogMessage(window, message)) {
      lowTranslateMessage(message);
      lowDispatchMessage(message);
    }
  }
}

void pressKey(LowWindow* window, UINT key) {
  HWND focused = GetFocus();
  PostMessageW(focused, WM_KEYDOWN, key, 1);
  PostMessageW(focused, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  pump(window);
}

}  // namespace test
}  // namespace bitscope
