// SPDX-License-Identifier: MIT
#include "tests/qt/program_run.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "mainwin/program.h"
#include "tests/qt/modal_script.h"

namespace bitscope::test {

DialogWindow* shownMainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = dynamic_cast<DialogWindow*>(w);
        dialog != nullptr && dialog->isVisible() && dialog->low != nullptr && dialog->low->owner == nullptr)
      return dialog;
  return nullptr;
}

QPushButton* buttonCaptioned(QWidget* window, const QString& caption) {
  for (auto* button : window->findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  return nullptr;
}

int runProgram(const std::function<void(DialogWindow*)>& act) {
  constexpr qint64 noEndLimitMs = 30'000;
  QElapsedTimer sinceStart;
  sinceStart.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (sinceStart.elapsed() > noEndLimitMs) {
      poll.stop();
      ADD_FAILURE() << "The program did not end within " << noEndLimitMs / 1000
                    << " s of its start; it is stopped.";
      lowPostQuitMessage(1);
      return;
    }
    if (DialogWindow* dialog = shownMainWindow(); dialog != nullptr && windowInFront(dialog)) act(dialog);
  });
  poll.start(5);
  return programMain(1);
}

}  // namespace bitscope::test
