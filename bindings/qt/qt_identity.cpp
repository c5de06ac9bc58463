// SPDX-License-Identifier: MIT
// The program's identity towards the desktop. The id is the one the launcher
// entry is installed under (one CMake setting for both), so that a dock or a
// Wayland compositor finds the entry, and with it the program's icon and name,
// for the program's windows.
#include <QGuiApplication>

#include "bindings/qt/qt_binding.h"

namespace bitscope {

void qtSetApplicationIdentity() {
  QGuiApplication::setApplicationName(QStringLiteral("Bitscope"));
  QGuiApplication::setDesktopFileName(QStringLiteral(BITSCOPE_APP_ID));
}

}  // namespace bitscope
