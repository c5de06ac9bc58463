// SPDX-License-Identifier: MIT
// The floor of the start-up benchmark: the least a Qt program does to show a dialog with as
// many widgets of each kind as the main window has (the counts are given by
// bench/startup.py, read from the template): a QDialog of labels, edit boxes, push, radio
// and check buttons, group boxes and a list, at fixed places, shown, then the event loop.
//   startup_floor labels edits buttons radios checks groups lists
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 8) return 2;
  int count[7];
  for (int i = 0; i < 7; ++i) count[i] = std::atoi(argv[i + 1]);

  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Floor"));
  dialog.resize(860, 700);
  int placed = 0;
  // Widgets in rows of eight, each in its own cell.
  auto place = [&placed](QWidget* widget) {
    widget->setGeometry(10 + (placed % 8) * 105, 10 + (placed / 8) * 40, 100, 30);
    ++placed;
  };
  for (int i = 0; i < count[0]; ++i) place(new QLabel(QStringLiteral("Label %1").arg(i), &dialog));
  for (int i = 0; i < count[1]; ++i) place(new QLineEdit(QStringLiteral("0"), &dialog));
  for (int i = 0; i < count[2]; ++i) place(new QPushButton(QStringLiteral("Button %1").arg(i), &dialog));
  for (int i = 0; i < count[3]; ++i) place(new QRadioButton(QStringLiteral("Radio %1").arg(i), &dialog));
  for (int i = 0; i < count[4]; ++i) place(new QCheckBox(QStringLiteral("Check %1").arg(i), &dialog));
  for (int i = 0; i < count[5]; ++i) place(new QGroupBox(QStringLiteral("Group %1").arg(i), &dialog));
  for (int i = 0; i < count[6]; ++i) place(new QListWidget(&dialog));
  dialog.show();
  return application.exec();
}
