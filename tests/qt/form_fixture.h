// SPDX-License-Identifier: MIT
// A window with one control of every kind the binding builds, shown
// modelessly and active, for the binding's tests.
#pragma once

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "bindings/qt/qt_binding.h"
#include "tests/qt/recorder.h"

namespace bitscope::test {

DialogTemplate formTemplate();

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  template <class W>
  W* widget(int id) {
    QtControl* control = qtFindControl(window, id);
    return control != nullptr ? qobject_cast<W*>(control->widget) : nullptr;
  }
  QLineEdit* edit(int id) { return widget<QLineEdit>(id); }
  // Gives the keyboard focus to a control of the active window.
  void focus(QWidget* target);

  LowWindow* window = nullptr;  // null once a test destroyed it
  int userTag = 0;
};

}  // namespace bitscope::test
