// SPDX-License-Identifier: MIT
// The message loop. Qt delivers every event to its widget while taking it, so
// a message handed out here has been handled already: the dialog keyboard
// filter declines it and translating and dispatching it do nothing.
// Keyboard navigation (Tab, arrows in radio groups, mnemonics, Enter, Esc) is
// the widgets' and DialogWindow's own.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include "bindings/qt/qt_binding.h"

namespace bitscope {
namespace {

bool quitPosted = false;
int quitCode = 0;

}  // namespace

bool lowGetMessage(LowMessage& message) {
  // Between two messages no window handler is running, so the widgets of
  // destroyed windows can go.
  qtDeleteDestroyedWindows();
  if (quitPosted) {
    quitPosted = false;
    message.quitCode = quitCode;
    return false;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  message.native = nullptr;
  return true;
}

bool lowIsDialogMessage(LowWindow* /*window*/, LowMessage& /*message*/) { return false; }

void lowTranslateMessage(LowMessage& /*message*/) {}

void lowDispatchMessage(LowMessage& /*message*/) {}

void lowPostQuitMessage(int exitCode) {
  quitPosted = true;
  quitCode = exitCode;
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    dispatcher->wakeUp();  // a loop waiting for events looks at the quit message
}

}  // namespace bitscope
