// SPDX-License-Identifier: MIT
// The desktop program run whole inside a test: start-up with the real dialog
// layer, the main window from template 101, and the message loop until the
// window ends, with the test acting on the window once it is ready for input.
#pragma once

#include <QPushButton>
#include <QString>

#include <functional>

#include "bindings/qt/qt_binding.h"

namespace bitscope::test {

// The program's main window while it is shown, or null.
DialogWindow* shownMainWindow();

QPushButton* buttonCaptioned(QWidget* window, const QString& caption);

// Runs the program and calls act with its main window whenever the window is up
// and in front, until act ends the program; returns the program's exit code. An
// action that leaves the window up did not take and is repeated. A program still
// running long after its start is stopped and the test fails: a guard against a
// hang, far beyond any run's time, not a speed check.
int runProgram(const std::function<void(DialogWindow*)>& act);

}  // namespace bitscope::test
