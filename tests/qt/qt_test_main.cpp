// SPDX-License-Identifier: MIT
// The process entry of the Qt test programs: Qt needs its application object
// before any widget exists. Tests run on the offscreen platform unless the
// caller chose another.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
