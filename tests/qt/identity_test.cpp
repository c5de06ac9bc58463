// SPDX-License-Identifier: MIT
// The identity the program gives the desktop names its launcher entry: the one
// entry the project installs, the one that starts this program under its name.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <gtest/gtest.h>

#include "bindings/qt/qt_binding.h"

namespace bitscope::test {
namespace {

TEST(Identity, TheDesktopIdIsTheFileNameOfTheInstalledLauncherEntry) {
  qtSetApplicationIdentity();
  const QDir desktop(QStringLiteral(BITSCOPE_DESKTOP_DIR));
  const QStringList entries = desktop.entryList({QStringLiteral("*.desktop")}, QDir::Files);
  ASSERT_EQ(entries.size(), 1) << entries.join(u' ').toStdString();
  EXPECT_EQ((QGuiApplication::desktopFileName() + QStringLiteral(".desktop")).toStdString(),
            entries.front().toStdString());

  QFile entry(desktop.filePath(entries.front()));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
  QStringList lines;
  for (QTextStream in(&entry); !in.atEnd();) lines << in.readLine();
  EXPECT_TRUE(lines.contains(QStringLiteral("Exec=bitscope")));
  EXPECT_TRUE(lines.contains(QStringLiteral("Name=") + QGuiApplication::applicationName()));
}

}  // namespace
}  // namespace bitscope::test
