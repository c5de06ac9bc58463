// SPDX-License-Identifier: MIT
#include "tests/qt/form_fixture.h"

#include <QApplication>

#include "dialog/winstyle.h"

namespace bitscope::test {

using namespace winstyle;

DialogTemplate formTemplate() {
  using CC = ControlClass;
  return dialogTemplate({
      item(CC::Edit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 100, "", 10, 10, 100, 12),
      item(CC::Edit, ES_NUMBER | WS_BORDER | WS_TABSTOP, 101, "", 10, 26, 60, 12, WS_EX_STATICEDGE),
      item(CC::Edit, ES_READONLY | WS_BORDER | WS_TABSTOP, 102, "fixed", 10, 42, 60, 12),
      item(CC::Button, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 200, "One", 130, 20, 60, 10),
      item(CC::Button, BS_AUTORADIOBUTTON, 201, "Two", 130, 32, 60, 10),
      item(CC::Button, BS_AUTORADIOBUTTON, 202, "Three", 130, 44, 60, 10),
      // Listed after its radio buttons, so it lies above them.
      item(CC::Button, BS_GROUPBOX, 700, "Pick", 125, 8, 70, 50),
      item(CC::Button, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 203, "Left", 130, 70, 40, 10),
      item(CC::Button, BS_AUTORADIOBUTTON, 204, "Right", 170, 70, 40, 10),
      item(CC::Button, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 300, "Bits", 10, 60, 60, 10),
      item(CC::ListBox, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 500, "", 10, 76, 80, 40),
      item(CC::Static, SS_LEFT, 600, "&Name", 100, 80, 40, 10),
      item(CC::Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 400, "OK", 150, 100, 40, 14),
      item(CC::Button, BS_PUSHBUTTON | WS_TABSTOP, 401, "&Apply", 100, 100, 40, 14),
      hidden(item(CC::Button, BS_PUSHBUTTON | WS_TABSTOP, 2, "Cancel", 10, 120, 40, 14)),
      item(CC::Button, BS_PUSHBUTTON | WS_DISABLED | WS_TABSTOP, 402, "Off", 60, 120, 40, 14),
      item(CC::Button, BS_PUSHBUTTON | BS_MULTILINE, 403, "Save the summary", 150, 118, 34, 20),
  });
}

void FormTest::SetUp() {
  resetNotices();
  window = lowCreateModeless(formTemplate(), nullptr, 1, &userTag);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->dialog));
}

void FormTest::TearDown() {
  resetNotices();
  lowDestroyWindow(window);
  qtDeleteDestroyedWindows();
}

void FormTest::focus(QWidget* target) {
  target->setFocus(Qt::OtherFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), target);
}

}  // namespace bitscope::test
