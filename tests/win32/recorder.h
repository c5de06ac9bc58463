// SPDX-License-Identifier: MIT
// A stand-in for the dialog layer: records every notice the Win32 binding
// sends, so that the binding is tested on its own, and pumps the thread's
// messages through the dialog keyboard filter as the program's loop does.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "dialog/dlglow.h"

namespace bitscope::test {

struct Notice {
  LowWindow* window = nullptr;
  LowEvent event;
};

std::vector<Notice>& notices();
void resetNotices();  // also drops the reaction
void reactWith(std::function<void(LowWindow*, const LowEvent&)> reaction);
int commandCount(int controlId, LowNotify notify);
int kindCount(LowEvent::Kind kind);

// Handles every queued message, keys through window's dialog keyboard filter.
void pump(LowWindow* window);
// A key as the keyboard gives it to the focused control, down and up; the
// loop's translation makes its character.
void pressKey(LowWindow* window, UINT key);

}  // namespace bitscope::test
