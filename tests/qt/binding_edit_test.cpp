// SPDX-License-Identifier: MIT
// Edit boxes: one change notice per edit whoever makes it, digits-only boxes,
// focus notices, the caret read back, and Windows-1252 at the boundary.
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>

#include <functional>

#include "tests/qt/form_fixture.h"

namespace bitscope::test {
namespace {

struct EditAction {
  const char* name;
  std::function<void(LowWindow*, QLineEdit*)> act;
  int changes;  // change notices the action must raise
};

TEST_F(FormTest, EveryEditOfAnEditBoxIsExactlyOneChangeNotice) {
  const std::vector<EditAction> rows = {
      {"three keystrokes", [](LowWindow*, QLineEdit* e) { QTest::keyClicks(e, "123"); }, 3},
      {"a paste",
       [](LowWindow*, QLineEdit* e) {
         QApplication::clipboard()->setText(QStringLiteral("4567"));
         QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
       },
       1},
      {"a cut of all text",
       [](LowWindow*, QLineEdit* e) {
         QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
         QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
       },
       1},
      {"an undo", [](LowWindow*, QLineEdit* e) { QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier); }, 1},
      {"a backspace", [](LowWindow*, QLineEdit* e) { QTest::keyClick(e, Qt::Key_Backspace); }, 1},
      {"the program's write", [](LowWindow* w, QLineEdit*) { lowSetText(w, 100, "0.1"); }, 1},
      {"the program's write of the same text", [](LowWindow* w, QLineEdit*) { lowSetText(w, 100, "0.1"); },
       1},
      {"an assistive technology setting the value",
       [](LowWindow*, QLineEdit* e) {
         QAccessible::queryAccessibleInterface(e)->setText(QAccessible::Value, QStringLiteral("2.5"));
       },
       1},
      {"an assistive technology replacing text",
       [](LowWindow*, QLineEdit* e) {
         QAccessible::queryAccessibleInterface(e)->editableTextInterface()->replaceText(0, 1,
                                                                                        QStringLiteral("7"));
       },
       1},
  };
  QLineEdit* box = edit(100);
  focus(box);
  for (const EditAction& row : rows) {
    SCOPED_TRACE(row.name);
    resetNotices();
    const QString before = box->text();
    row.act(window, box);
    EXPECT_EQ(commandCount(100, LowNotify::EditChange), row.changes);
    EXPECT_EQ(commandCount(100, LowNotify::EditUpdate), row.changes);
    if (row.changes > 0 && std::string(row.name).find("same text") == std::string::npos) {
      EXPECT_NE(box->text(), before);
    }
  }
  EXPECT_EQ(box->text(), QStringLiteral("7.5"));
}

TEST_F(FormTest, ReadOnlyBoxTakesNoTyping) {
  focus(edit(102));
  QTest::keyClicks(edit(102), "99");
  EXPECT_EQ(lowGetText(window, 102), "fixed");
  EXPECT_EQ(commandCount(102, LowNotify::EditChange), 0);
}

// A digits-only box refuses a typed non-digit, quietly for the program (no change
// notice); anything pasted or dropped reaches the program whole, for its own repair
// rules to see; the program's own texts are never filtered.
TEST_F(FormTest, DigitsOnlyBoxRefusesTypedNonDigitsButLetsPastedTextThrough) {
  struct Row {
    const char* name;
    const char* programText;
    std::function<void(QLineEdit*)> act;
    const char* expected;
    int changes;
  };
  const auto pasteBy = [](const char* text, std::function<void(QLineEdit*)> paste) {
    return [text, paste](QLineEdit* e) {
      QApplication::clipboard()->setText(QString::fromUtf8(text));
      paste(e);
    };
  };
  const auto keyText = [](Qt::Key key, const char* text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [=](QLineEdit* e) {
      QKeyEvent press(QEvent::KeyPress, key, modifiers, QString::fromUtf8(text));
      QApplication::sendEvent(e, &press);
    };
  };
  const auto commit = [](const char* text) {
    return [text](QLineEdit* e) {
      QInputMethodEvent event;
      event.setCommitString(QString::fromUtf8(text));
      QApplication::sendEvent(e, &event);
    };
  };
  const Row rows[] = {
      {"digits typed", "", [](QLineEdit* e) { QTest::keyClicks(e, "10"); }, "10", 2},
      {"a letter typed between digits", "", [](QLineEdit* e) { QTest::keyClicks(e, "1a0"); }, "10", 2},
      {"a blank typed", "10", [](QLineEdit* e) { QTest::keyClicks(e, " "); }, "10", 0},
      {"a keypad minus typed", "10", keyText(Qt::Key_Minus, "-", Qt::KeypadModifier), "10", 0},
      {"a keypad digit typed", "10", keyText(Qt::Key_1, "1", Qt::KeypadModifier), "101", 1},
      {"a letter outside the 8-bit text typed", "1", keyText(Qt::Key_unknown, "\u0219"), "1", 0},
      {"an input method commits a digit", "1", commit("0"), "10", 1},
      {"an input method commits a letter", "1", commit("\u00e9"), "1", 0},
      {"a backspace", "10", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Backspace); }, "1", 1},
      {"letters pasted with Ctrl+V", "12",
       pasteBy("3x", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); }), "123x", 1},
      {"letters pasted with Shift+Insert", "",
       pasteBy("a1", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier); }), "a1", 1},
      {"letters pasted from the context menu", "0", pasteBy(" 1b", [](QLineEdit* e) { e->paste(); }), "0 1b",
       1},
      {"letters dropped", "5",
       [](QLineEdit* e) {
         QMimeData data;
         data.setText(QStringLiteral("z9"));
         const QPoint end(e->width() - 2, e->height() / 2);
         QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(e, &enter);
         QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(e, &drop);
       },
       "5z9", 1},
      {"an assistive technology writes letters", "",
       [](QLineEdit* e) {
         QAccessible::queryAccessibleInterface(e)->setText(QAccessible::Value, QStringLiteral("x1"));
       },
       "x1", 1},
      {"the program writes words", "   Exponent", [](QLineEdit*) {}, "   Exponent", 0},
      {"a digit typed after the program's words", "   Exponent",
       [](QLineEdit* e) { QTest::keyClicks(e, "1"); }, "   Exponent1", 1},
      {"letters typed after the program's words", "   Exponent",
       [](QLineEdit* e) { QTest::keyClicks(e, "z-"); }, "   Exponent", 0},
  };
  QLineEdit* box = edit(101);
  focus(box);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    lowSetText(window, 101, row.programText);
    box->end(false);
    resetNotices();
    row.act(box);
    EXPECT_EQ(lowGetText(window, 101), row.expected);
    EXPECT_EQ(commandCount(101, LowNotify::EditChange), row.changes);
  }
}

// A box with a text limit: a keystroke beyond it is refused without a notice,
// a paste and the program's write are cut to fit.
TEST_F(FormTest, TextLimitRefusesKeystrokesAndCutsPastesToFit) {
  QLineEdit* box = edit(100);
  lowSetText(window, 100, "0123456");
  resetNotices();
  lowSetTextLimit(window, 100, 5);
  EXPECT_EQ(lowGetText(window, 100), "01234");  // the text there is cut too, with a notice
  EXPECT_EQ(commandCount(100, LowNotify::EditChange), 1);

  focus(box);
  lowSetText(window, 100, "12");
  box->end(false);
  resetNotices();
  QTest::keyClicks(box, "3456");
  EXPECT_EQ(lowGetText(window, 100), "12345");
  EXPECT_EQ(commandCount(100, LowNotify::EditChange), 3);  // the fourth key changed nothing

  resetNotices();
  box->setSelection(1, 3);  // "234"
  QApplication::clipboard()->setText(QStringLiteral("abcdef"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(lowGetText(window, 100), "1abc5");
  EXPECT_EQ(commandCount(100, LowNotify::EditChange), 1);

  lowSetText(window, 100, "0123456789");
  EXPECT_EQ(lowGetText(window, 100), "01234");
}

TEST_F(FormTest, FocusNoticesFollowTheKeyboardFocus) {
  focus(edit(100));
  focus(edit(101));
  focus(widget<QWidget>(300));  // a check box: no focus notices of its own
  const std::vector<std::pair<int, LowNotify>> expected = {{100, LowNotify::FocusIn},
                                                           {100, LowNotify::FocusOut},
                                                           {101, LowNotify::FocusIn},
                                                           {101, LowNotify::FocusOut}};
  std::vector<std::pair<int, LowNotify>> seen;
  for (const Notice& n : notices())
    if (n.event.kind == LowEvent::Kind::Command &&
        (n.event.notify == LowNotify::FocusIn || n.event.notify == LowNotify::FocusOut))
      seen.emplace_back(n.event.controlId, n.event.notify);
  EXPECT_EQ(seen, expected);
}

TEST_F(FormTest, CaretReadBackIsTheEndOfTheSelection) {
  struct Row {
    const char* name;
    std::function<void(QLineEdit*)> place;
    int expected;
  };
  const Row rows[] = {
      {"caret alone", [](QLineEdit* e) { e->setCursorPosition(4); }, 4},
      {"selection made forwards", [](QLineEdit* e) { e->setSelection(2, 5); }, 7},
      {"selection made backwards", [](QLineEdit* e) { e->setSelection(7, -5); }, 7},
      {"all selected", [](QLineEdit* e) { e->selectAll(); }, 10},
  };
  lowSetText(window, 100, "0123456789");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.place(edit(100));
    EXPECT_EQ(lowGetSelectionEnd(window, 100), row.expected);
  }
  edit(100)->selectAll();
  lowSetCaret(window, 100, 3);
  EXPECT_FALSE(edit(100)->hasSelectedText());
  EXPECT_EQ(edit(100)->cursorPosition(), 3);
}

TEST_F(FormTest, TextsCrossTheBoundaryAsWindows1252) {
  lowSetText(window, 100, "\x80 caf\xE9");
  EXPECT_EQ(edit(100)->text(), QString::fromUtf8("\u20AC caf\u00E9"));
  EXPECT_EQ(lowGetText(window, 100), "\x80 caf\xE9");

  // Characters Windows-1252 lacks reach the program as "?", one per character
  // even outside the basic plane, where the caret counts characters too.
  lowSetText(window, 100, "");
  focus(edit(100));
  for (const char* typed : {"a", "\u0219", "\U0001F600", "b"}) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(typed));
    QApplication::sendEvent(edit(100), &key);
  }
  EXPECT_EQ(lowGetText(window, 100), "a??b");
  EXPECT_EQ(lowGetSelectionEnd(window, 100), 4);
  lowSetCaret(window, 100, 3);
  EXPECT_EQ(edit(100)->cursorPosition(), 4);  // after the surrogate pair

  lowSetText(window, 600, "\xC8tre");
  EXPECT_EQ(widget<QLabel>(600)->text(), QString::fromUtf8("\u00C8tre"));
}

}  // namespace
}  // namespace bitscope::test
