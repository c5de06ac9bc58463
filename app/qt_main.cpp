// SPDX-License-Identifier: MIT
// The process entry of the desktop program: the toolkit first, then the
// program's own entry routine.
#include <QApplication>

#include <cstdio>
#include <string_view>

#include "bindings/qt/qt_binding.h"
#include "mainwin/program.h"

namespace {

constexpr std::string_view usage =
    "Usage: bitscope [--version] [--help] [Qt options]\n"
    "Shows how a decimal number is stored in the IEEE 754 formats Binary32, Binary64 and\n"
    "Binary128. Qt's own options (-platform, -style, ...) are accepted. See bitscope(1).\n";

// --version and --help are answered before the toolkit starts, so that they work without a
// display; true when one was.
bool answeredFromTheCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      std::printf("bitscope %s\n", BITSCOPE_VERSION);
      return true;
    }
    if (arg == "--help" || arg == "-h") {
      std::fwrite(usage.data(), 1, usage.size(), stdout);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (answeredFromTheCommandLine(argc, argv)) return 0;
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
