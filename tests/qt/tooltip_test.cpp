// SPDX-License-Identifier: MIT
// The tooltips of the desktop program as the mouse brings them up: a help
// event at a point of a control shows the text for what lies under it.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include "tests/qt/program_run.h"

namespace bitscope::test {
namespace {

QLineEdit* editOf(DialogWindow* window, int id) {
  return qobject_cast<QLineEdit*>(qtFindControl(window->low, id)->widget);
}

// The middle of character index of an edit box, between the carets around it.
QPoint middleOfCharacter(QLineEdit* edit, int index) {
  const int kept = edit->cursorPosition();
  edit->setCursorPosition(index);
  const QRect before = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  edit->setCursorPosition(index + 1);
  const QRect after = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  edit->setCursorPosition(kept);
  return {(before.center().x() + after.center().x()) / 2, before.center().y()};
}

// What the tooltip shows once the mouse rests at pos of widget.
std::string toolTipAt(QWidget* widget, QPoint pos) {
  QToolTip::hideText();
  QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
  QApplication::sendEvent(widget, &help);
  return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

std::string toolTipOnCharacter(DialogWindow* main, int id, int index) {
  QLineEdit* edit = editOf(main, id);
  return toolTipAt(edit, middleOfCharacter(edit, index));
}

// The window switched to English, then text typed into X as a user types it.
QLineEdit* typeXInEnglish(DialogWindow* main, const char* text) {
  static_cast<QAbstractButton*>(qtFindControl(main->low, 1051)->widget)->click();
  QLineEdit* x = editOf(main, 1007);
  x->setFocus(Qt::MouseFocusReason);
  x->selectAll();
  QTest::keyClicks(x, text);
  return x;
}

TEST(QtToolTip, TheMouseOnXOrOnABitShowsItsText) {
  runProgram([](DialogWindow* main) {
    typeXInEnglish(main, "0.1");
    EXPECT_EQ(toolTipOnCharacter(main, 1007, 1),
              "Stored exactly: 0.100000001490116119384765625\nConversion error: +0.2 ULP");

    // Each bit of the exponent by its own weight; the significand's third bit.
    for (int bit = 0; bit < 8; ++bit)
      EXPECT_EQ(toolTipOnCharacter(main, 1027, bit),
                "Bit " + std::to_string(bit + 1) + " of the exponent field E, weight 2^" +
                    std::to_string(7 - bit) + " (in the biased exponent)");
    EXPECT_EQ(toolTipOnCharacter(main, 1028, 2), "Bit 3 of the significand field T, weight 2^-3");

    // Back in Romanian, the same point says it in Romanian.
    static_cast<QAbstractButton*>(qtFindControl(main->low, 1050)->widget)->click();
    EXPECT_EQ(toolTipOnCharacter(main, 1028, 2), "Bitul 3 al campului semnificand T, ponderea 2^-3");
    QTest::keyClick(main, Qt::Key_Escape);
  });
}

// Opens the context menu of edit and chooses the item labelled label, if it
// offers it enabled; false when it does not.
bool chooseFromContextMenu(QLineEdit* edit, const QString& label) {
  bool chosen = false;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (QAction* action : menu->actions())
      if (action->text() == label && action->isEnabled()) {
        action->trigger();
        chosen = true;
      }
    menu->close();
  });
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(edit, &request);
  return chosen;
}

TEST(QtToolTip, TheContextMenuOfXCopiesTheWholeExactValue) {
  runProgram([](DialogWindow* main) {
    QLineEdit* x = typeXInEnglish(main, "0.1");
    QApplication::clipboard()->clear();
    EXPECT_TRUE(chooseFromContextMenu(x, QStringLiteral("Copy exact value")));
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "0.100000001490116119384765625");
    // A bit box offers no such item.
    EXPECT_FALSE(chooseFromContextMenu(editOf(main, 1028), QStringLiteral("Copy exact value")));
    QTest::keyClick(main, Qt::Key_Escape);
  });
}

}  // namespace
}  // namespace bitscope::test
