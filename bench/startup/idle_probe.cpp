// SPDX-License-Identifier: MIT
// Preloaded (LD_PRELOAD) into a Qt program by bench/startup.py, so that the program itself
// stays as it ships. The first time the event loop is about to wait for events while a
// top-level window is shown, all start-up work is done, painting included: the moment is
// written to standard error as "bitscope-idle-ns <CLOCK_MONOTONIC nanoseconds>", and the
// shown windows are closed as a user would close them, so the program ends by its own path.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

bool anyWindowShown() {
  for (const QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) return true;
  return false;
}

void closeShownWindows() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) widget->close();
}

void onAboutToBlock() {
  static bool seen = false;
  if (seen || !anyWindowShown()) return;
  seen = true;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::fprintf(stderr, "bitscope-idle-ns %lld\n",
               static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stderr);
  // Not from inside the dispatcher's wait: as the next event.
  QMetaObject::invokeMethod(qApp, closeShownWindows, Qt::QueuedConnection);
}

void watchForIdle() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (dispatcher == nullptr) {
    std::fprintf(stderr, "bitscope-idle: no event dispatcher at start-up\n");
    return;
  }
  QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, onAboutToBlock);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForIdle)
