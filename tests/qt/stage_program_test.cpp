// SPDX-License-Identifier: MIT
// The desktop program as it stands: start-up with the real dialog layer, the
// main window from template 101, and the message loop until the window ends.
//
// Run with --screenshot FILE (under a real display, e.g. xvfb-run) to save a
// picture of the main window instead of testing; --fill first writes sample
// bits into the bit boxes, to show how they fit; --template ID pictures
// another dialog template as the dialog layer shows it.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "bindings/qt/qt_binding.h"
#include "dialog/dialog.h"
#include "mainwin/program.h"
#include "tests/qt/modal_script.h"
#include "tests/qt/program_run.h"

namespace bitscope {
namespace {

using test::buttonCaptioned;
using test::runProgram;
using test::shownMainWindow;

TEST(StageProgram, EndsWithCodeZeroByExitEscOrTheCloseBox) {
  struct Row {
    const char* name;
    std::function<void(DialogWindow*)> act;
  };
  const Row rows[] = {
      {"Exit", [](DialogWindow* d) { buttonCaptioned(d, QStringLiteral("Exit"))->click(); }},
      {"Esc", [](DialogWindow* d) { QTest::keyClick(d, Qt::Key_Escape); }},
      {"close box", [](DialogWindow* d) { d->close(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bool acted = false;
    EXPECT_EQ(runProgram([&](DialogWindow* d) {
                acted = true;
                row.act(d);
              }),
              0);
    EXPECT_TRUE(acted);
    EXPECT_EQ(shownMainWindow(), nullptr);
  }
}

TEST(StageProgram, MainWindowIsTemplate101) {
  const DialogTemplate* tpl = findDialogTemplate(101);
  ASSERT_NE(tpl, nullptr);
  std::size_t controls = 0;
  bool cancelHidden = false;
  QString title;
  runProgram([&](DialogWindow* d) {
    controls = d->low->controls.size();
    cancelHidden = qtFindControl(d->low, 2)->widget->isHidden();
    title = d->windowTitle();
    QTest::keyClick(d, Qt::Key_Escape);
  });
  EXPECT_EQ(controls, tpl->items.size());
  EXPECT_TRUE(cancelHidden);
  // Start-up replaces the template's caption with the title of the language (Romanian).
  EXPECT_EQ(title.toStdString(), "Bitscope (Format binar)");
}

// The exponent box takes digits only: a typed letter never reaches the program,
// while a paste does, whole, and meets the box's repair rule and its message.
TEST(StageProgram, APasteIntoTheExponentBoxIsRepairedWithItsMessageWhereTypingIsRefused) {
  QString message;
  test::ModalScript script({{QStringLiteral("the invalid-input message"),
                             [](QWidget* top) { return qobject_cast<QMessageBox*>(top) != nullptr; }, nullptr,
                             [&](QWidget* top) {
                               auto* box = static_cast<QMessageBox*>(top);
                               message = box->text();
                               box->button(QMessageBox::Ok)->click();
                             }}});
  std::string afterTyping, afterPaste;
  bool acting = false;  // the message box runs its own loop, in which the poll goes on
  bool done = false;
  runProgram([&](DialogWindow* d) {
    if (acting) return;
    if (!done) {
      acting = true;
      auto* exponent = qobject_cast<QLineEdit*>(qtFindControl(d->low, 1027)->widget);
      exponent->setFocus(Qt::MouseFocusReason);
      exponent->selectAll();
      QTest::keyClicks(exponent, "a-");
      afterTyping = lowGetText(d->low, 1027);
      QApplication::clipboard()->setText(QStringLiteral("1a"));
      QTest::keyClick(exponent, Qt::Key_V, Qt::ControlModifier);
      afterPaste = lowGetText(d->low, 1027);
      acting = false;
      done = true;
    }
    buttonCaptioned(d, QStringLiteral("Exit"))->click();
  });
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(afterTyping, "00000000");
  EXPECT_EQ(message.toStdString(), "Valoare invalida pentru bit !\n(Se inlocuieste cu \"1\")");
  EXPECT_EQ(afterPaste, "11");
}

// The X box holds the 42 characters that are read: typing the long
// number leaves its first 42 characters, and the bits are theirs.
TEST(StageProgram, XBoxTakesNoMoreThanTheFortyTwoCharactersThatAreRead) {
  QString shown, significand;
  int limit = 0;
  runProgram([&](DialogWindow* d) {
    auto* x = qobject_cast<QLineEdit*>(qtFindControl(d->low, 1007)->widget);
    x->setFocus(Qt::OtherFocusReason);
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("1.2345678901234567890123456789012345678901E-5"));
    shown = x->text();
    limit = x->maxLength();
    significand = qobject_cast<QLineEdit*>(qtFindControl(d->low, 1028)->widget)->text();
    QTest::keyClick(d, Qt::Key_Escape);
  });
  EXPECT_EQ(limit, 42);
  EXPECT_EQ(shown.toStdString(), "1.2345678901234567890123456789012345678901");
  EXPECT_EQ(significand.toStdString(), "00111100000011001010010");  // Binary32 0x3F9E0652
}

// ---- screenshot -------------------------------------------------------------

void fillSampleBits(LowWindow* window) {
  const std::pair<int, int> boxes[] = {{1026, 1},  {1027, 8}, {1028, 23}, {1032, 1},  {1033, 11},
                                       {1035, 52}, {1014, 1}, {1015, 15}, {1016, 48}, {1018, 64}};
  for (const auto& [id, bits] : boxes) {
    std::string text;
    for (int i = 0; i < bits; ++i) text += (i % 3 == 1) ? '1' : '0';
    lowSetText(window, id, text);
  }
  lowSetText(window, 1007, "+1.00000000000000000000000000000000E-0001");
}

int saveScreenshot(const QString& file, bool fill) {
  bool saved = false;
  runProgram([&](DialogWindow* d) {
    if (!saved) {
      if (fill) fillSampleBits(d->low);
      saved = d->grab().save(file);
    }
    buttonCaptioned(d, QStringLiteral("Exit"))->click();
  });
  return saved ? 0 : 1;
}

// Shows one dialog template through the dialog layer and saves its picture.
int saveTemplateScreenshot(const QString& file, int templateId) {
  DialogObject dialog;
  if (!DLGLOAD(templateId, dialog) || !DLGMODELESS(dialog)) return 1;
  bool saved = false;
  QTimer::singleShot(300, [&] {
    saved = dialog.window != nullptr && dialog.window->dialog->grab().save(file);
    DLGEXIT(dialog);
    lowPostQuitMessage(0);
  });
  LowMessage message;
  while (lowGetMessage(message)) {
  }
  DLGRELEASE(dialog);
  return saved ? 0 : 1;
}

}  // namespace
}  // namespace bitscope

int main(int argc, char* argv[]) {
  QString screenshot;
  bool fill = false;
  int templateId = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc) screenshot = QString::fromLocal8Bit(argv[++i]);
    if (arg == "--fill") fill = true;
    if (arg == "--template" && i + 1 < argc) templateId = std::atoi(argv[++i]);
  }
  if (screenshot.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (!screenshot.isEmpty())
    return templateId != 0 ? bitscope::saveTemplateScreenshot(screenshot, templateId)
                           : bitscope::saveScreenshot(screenshot, fill);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
