// SPDX-License-Identifier: MIT
// The program's main window (template 101) made by the binding, shown
// modelessly and active, with a recording stand-in for the dialog layer.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "bindings/win32/win32_binding.h"
#include "dialog/dlgtemplate.h"
#include "tests/win32/recorder.h"

namespace bitscope::test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetNotices();
    tpl = findDialogTemplate(101);
    ASSERT_NE(tpl, nullptr);
    window = lowCreateModeless(*tpl, nullptr, SW_SHOWNORMAL, &userTag);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(hwnd());
    pump(window);
  }
  void TearDown() override {
    if (window != nullptr) lowDestroyWindow(window);
    pump(nullptr);
    resetNotices();
  }
  HWND hwnd() const { return window->hwnd; }
  HWND control(int id) const { return GetDlgItem(window->hwnd, id); }
  // Moves the focus as the dialog manager does for the keyboard, default
  // button included.
  void focus(int id) {
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE);
    pump(window);
  }

  const DialogTemplate* tpl = nullptr;
  LowWindow* window = nullptr;
  int userTag = 0;
};

}  // namespace bitscope::test
