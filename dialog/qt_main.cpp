// The process entry of the desktop program: the toolkit first, then the
// program's own entry routine.
#include <QApplication>

#include "dialog/qt_binding.h"
#include "mainwin/program.h"

int main(int argc, char* argv[]) {
  // High-DPI scaling is on by default in Qt 6: dialog units follow the font,
  // and the font follows the screen.
  QApplication application(argc, argv);
  bitscope::qtSetApplicationIdentity();
  // The program ends when its message loop sees the quit message, not when
  // Qt sees no window.
  QApplication::setQuitOnLastWindowClosed(false);
  constexpr int showNormal = 1;
  const int exitCode = bitscope::programMain(showNormal);
  bitscope::qtDeleteDestroyedWindows();
  return exitCode;
}
