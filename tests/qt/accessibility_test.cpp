// SPDX-License-Identifier: MIT
// The desktop program as a screen reader and a keyboard user meet it: the
// accessibility tree of the main window, the summary and the About box in both
// languages, names that follow the format and the language, and the window
// driven by the keyboard alone.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/qt/modal_script.h"
#include "tests/qt/program_run.h"

namespace bitscope::test {
namespace {

QWidget* widgetOf(DialogWindow* window, int id) { return qtFindControl(window->low, id)->widget; }

QLineEdit* editOf(DialogWindow* window, int id) { return qobject_cast<QLineEdit*>(widgetOf(window, id)); }

QString heard(QWidget* widget, QAccessible::Text what) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
  return node != nullptr ? node->text(what) : QString();
}

std::string nameOf(DialogWindow* window, int id) {
  return heard(widgetOf(window, id), QAccessible::Name).toStdString();
}

std::string descriptionOf(DialogWindow* window, int id) {
  return heard(widgetOf(window, id), QAccessible::Description).toStdString();
}

// What a walk of one window's accessibility tree found wrong, and the
// description each control had, by control id.
struct Walk {
  std::vector<std::string> problems;
  std::map<int, QString> descriptions;
};

// A control the user can act on, or an image, must be named; a label must be
// heard as exactly what it shows; whatever takes the focus must say what it does.
void walkTree(DialogWindow* window, QAccessibleInterface* node, Walk& walk) {
  static const QRegularExpression placeholder(QStringLiteral("^control\\s*-?\\d+$"));
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr || child->state().invisible) continue;
    const QAccessible::Role role = child->role();
    if (role == QAccessible::ScrollBar) continue;
    const QString name = child->text(QAccessible::Name);
    const QString description = child->text(QAccessible::Description);
    const QtControl* control = qtFindControl(window->low, child->object());
    const std::string who =
        (control != nullptr ? "control " + std::to_string(control->id) : std::string("a node")) + " \"" +
        name.toStdString() + "\" (role " + std::to_string(role) + ")";
    if (placeholder.match(name).hasMatch()) walk.problems.push_back(who + ": placeholder name");
    if (role == QAccessible::StaticText) {
      if (const auto* label = qobject_cast<const QLabel*>(child->object());
          label != nullptr && name != label->text())
        walk.problems.push_back(who + ": a label heard otherwise than it reads (\"" +
                                label->text().toStdString() + "\")");
    } else if (role != QAccessible::Grouping && role != QAccessible::ListItem && name.trimmed().isEmpty()) {
      walk.problems.push_back(who + ": no name");
    }
    if (child->state().focusable && role != QAccessible::ListItem) {
      if (description.trimmed().isEmpty()) walk.problems.push_back(who + ": no description");
      if (control != nullptr) walk.descriptions[control->id] = description;
    }
    if (role != QAccessible::List) walkTree(window, child, walk);
  }
}

Walk walkWindow(DialogWindow* window) {
  Walk walk;
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
  if (root == nullptr) {
    walk.problems.push_back("no accessibility tree");
    return walk;
  }
  if (root->text(QAccessible::Name).isEmpty()) walk.problems.push_back("an untitled window");
  walkTree(window, root, walk);
  return walk;
}

DialogWindow* shownWindowOwnedBy(DialogWindow* owner) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* dialog = dynamic_cast<DialogWindow*>(w); dialog != nullptr && dialog->isVisible() &&
                                                       dialog->low != nullptr &&
                                                       dialog->low->owner == owner->low)
      return dialog;
  return nullptr;
}

void expectNoProblems(const Walk& walk, const std::string& where) {
  for (const std::string& problem : walk.problems) ADD_FAILURE() << where << ": " << problem;
}

TEST(Accessibility, EveryControlOfTheThreeWindowsIsNamedInBothLanguages) {
  std::map<int, QString> mainDescriptions[2];
  bool aboutWalked[2] = {false, false};
  for (const int language : {0, 1}) {
    SCOPED_TRACE(language == 0 ? "RO" : "EN");
    const std::string tag = language == 0 ? "RO " : "EN ";
    ModalScript about({{QStringLiteral("the About box"),
                        [](QWidget* top) { return dynamic_cast<DialogWindow*>(top) != nullptr; }, nullptr,
                        [&](QWidget* top) {
                          auto* box = static_cast<DialogWindow*>(top);
                          expectNoProblems(walkWindow(box), tag + "About box");
                          aboutWalked[language] = true;
                          buttonCaptioned(box, QStringLiteral("OK"))->click();
                        }}});
    bool acting = false;  // the About box runs its own loop, in which the poll goes on
    runProgram([&](DialogWindow* main) {
      if (acting) return;
      acting = true;
      if (language == 1) static_cast<QAbstractButton*>(widgetOf(main, 1051))->click();
      const Walk walk = walkWindow(main);
      expectNoProblems(walk, tag + "main window");
      mainDescriptions[language] = walk.descriptions;

      static_cast<QAbstractButton*>(widgetOf(main, 1034))->click();
      DialogWindow* summary = shownWindowOwnedBy(main);
      if (summary == nullptr) {
        ADD_FAILURE() << "no summary window";
      } else {
        expectNoProblems(walkWindow(summary), tag + "summary");
        buttonCaptioned(summary, QStringLiteral("OK"))->click();
      }
      static_cast<QAbstractButton*>(widgetOf(main, 1041))->click();
      QTest::keyClick(main, Qt::Key_Escape);
      acting = false;
    });
    EXPECT_TRUE(about.finished());
    EXPECT_TRUE(aboutWalked[language]);
  }
  // Every description is re-said in the new language, none left behind.
  EXPECT_GT(mainDescriptions[0].size(), 20u);
  for (const auto& [id, romanian] : mainDescriptions[0])
    EXPECT_NE(romanian, mainDescriptions[1][id]) << "control " << id << " says the same in both languages";
}

TEST(Accessibility, NamesFollowTheFormatTheLanguageAndTheItemShown) {
  runProgram([](DialogWindow* main) {
    EXPECT_EQ(descriptionOf(main, 1007), "Numarul zecimal reprezentat in Binary32");
    EXPECT_EQ(nameOf(main, 1042), "Ajutor: ghidul ULP");
    EXPECT_EQ(nameOf(main, 1040), "");  // the empty caption of the value box
    static_cast<QAbstractButton*>(widgetOf(main, 1013))->click();
    EXPECT_EQ(descriptionOf(main, 1007), "Numarul zecimal reprezentat in Binary128");
    EXPECT_EQ(descriptionOf(main, 1036), "Tipul datei codificate de campurile Binary128");
    EXPECT_EQ(nameOf(main, 1018), "Binary128 semnificandul T, bitii 49 - 112");

    static_cast<QAbstractButton*>(widgetOf(main, 1051))->click();
    EXPECT_EQ(nameOf(main, 1007), "X (decimal number)");
    EXPECT_EQ(descriptionOf(main, 1007), "The decimal number stored in Binary128");
    EXPECT_EQ(nameOf(main, 1026), "Binary32 sign bit S");
    EXPECT_EQ(nameOf(main, 1027), "Binary32 exponent field E, 8 bits");
    EXPECT_EQ(nameOf(main, 1018), "Binary128 trailing significand, bits 49 to 112");
    EXPECT_EQ(nameOf(main, 1036), "Data type");
    EXPECT_EQ(nameOf(main, 1042), "Help: ULP guide");

    // The bit under the caret, counted on from bit 48 in the second significand box.
    QLineEdit* low = editOf(main, 1018);
    low->setFocus(Qt::MouseFocusReason);
    low->setCursorPosition(0);
    EXPECT_EQ(descriptionOf(main, 1018), "The significand's bits, msb first. Caret at bit 49.");
    QTest::keyClick(low, Qt::Key_End);
    EXPECT_EQ(descriptionOf(main, 1018), "The significand's bits, msb first. Caret after bit 112.");

    // The value box is named after the item it shows, in the language shown.
    auto* list = qobject_cast<QListWidget*>(widgetOf(main, 1044));
    list->setCurrentRow(1);
    EXPECT_EQ(nameOf(main, 1008), "Significand");
    EXPECT_EQ(nameOf(main, 1040), "     Significand");  // the caption as shown, blanks and all
    static_cast<QAbstractButton*>(widgetOf(main, 1050))->click();
    EXPECT_EQ(nameOf(main, 1008), "Semnificand");
    EXPECT_EQ(nameOf(main, 1040), "Semnificand");
    EXPECT_EQ(descriptionOf(main, 1018), "Bitii semnificandului, msb primul. Cursorul este dupa bitul 112.");
    // A change of the bits empties the view: the box is no longer named after the item.
    static_cast<QAbstractButton*>(widgetOf(main, 1029))->click();
    EXPECT_EQ(nameOf(main, 1008), "Valoarea parametrului");
    QTest::keyClick(main, Qt::Key_Escape);
  });
}

// Presses key on whatever has the focus until target has it; false after limit presses.
bool pressUntilFocused(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                       int limit = 30) {
  for (int i = 0; i < limit && QApplication::focusWidget() != target; ++i)
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  return QApplication::focusWidget() == target;
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Types X, picks a format, edits a bit, chooses an item and a language, and
// leaves, all by keys; a step that fails ends the drive early.
void driveByKeys(DialogWindow* main) {
  // The window starts on its first tab stop, "Exit". A round of Tab visits the
  // template's tab stops in order, each radio group once at its checked radio,
  // passing over the other formats' boxes; entering a bit box enables the list.
  ASSERT_EQ(QApplication::focusWidget(), widgetOf(main, 30001));
  std::vector<int> round;
  do {
    press(Qt::Key_Tab);
    const QtControl* focused = qtFindControl(main->low, QApplication::focusWidget());
    round.push_back(focused != nullptr ? focused->id : 0);
  } while (round.back() != 30001 && round.size() < 40);
  EXPECT_EQ(round, (std::vector<int>{1007, 1011, 1026, 1027, 1028, 1029, 1030, 1031, 1036, 1008, 1041, 1042,
                                     1019, 1020, 1044, 1034, 1046, 1050, 30001}));
  press(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), widgetOf(main, 1007));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0.1"));  // Tab selected the "0"
  EXPECT_EQ(lowGetText(main->low, 1028), "10011001100110011001101");

  // A radio group is one tab stop; the arrows move and check within it.
  press(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), widgetOf(main, 1011));
  press(Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), widgetOf(main, 1012));
  EXPECT_TRUE(lowGetCheck(main->low, 1012));
  EXPECT_TRUE(lowIsEnabled(main->low, 1035));
  press(Qt::Key_Up);
  press(Qt::Key_Up);  // round the top of the group
  EXPECT_TRUE(lowGetCheck(main->low, 1013));
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_TRUE(lowGetCheck(main->low, 1012));

  // Back to X, then Tab enters the format group at the checked radio.
  press(Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(QApplication::focusWidget(), widgetOf(main, 1007));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0.1"));
  press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), widgetOf(main, 1012));

  // The first box of Binary64 that Tab reaches is its sign; typing over it negates X.
  press(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), widgetOf(main, 1032));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
  EXPECT_EQ(lowGetText(main->low, 1007), "-1.0000000000000001D-01");

  // The list, reached by Tab; the arrows choose its items.
  auto* list = qobject_cast<QListWidget*>(widgetOf(main, 1044));
  ASSERT_TRUE(pressUntilFocused(list, Qt::Key_Tab));
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_EQ(lowGetText(main->low, 1008), "1.3877787807814457D-17");  // ULP(0.1) in Binary64 is 2^-56
  EXPECT_EQ(nameOf(main, 1008), "ULP");

  // The language group by Tab, English by an arrow.
  ASSERT_TRUE(pressUntilFocused(widgetOf(main, 1050), Qt::Key_Tab));
  press(Qt::Key_Right);
  EXPECT_EQ(main->windowTitle().toStdString(), "Bitscope (Binary Format)");

  // Back to an icon button: Space opens the summary, Esc closes it.
  ASSERT_TRUE(pressUntilFocused(widgetOf(main, 1034), Qt::Key_Tab, Qt::ShiftModifier));
  press(Qt::Key_Space);
  DialogWindow* summary = shownWindowOwnedBy(main);
  ASSERT_NE(summary, nullptr);
  QTest::keyClick(summary, Qt::Key_Escape);
  EXPECT_EQ(shownWindowOwnedBy(main), nullptr);

  // Esc ends the program.
  QTest::keyClick(main, Qt::Key_Escape);
}

TEST(Keyboard, TheWholeRoundTripNeedsNoMouse) {
  bool acting = false;
  bool driven = false;
  const int exitCode = runProgram([&](DialogWindow* main) {
    if (acting) return;
    acting = true;
    if (!driven) {
      driven = true;
      driveByKeys(main);
    }
    if (main->low != nullptr) QTest::keyClick(main, Qt::Key_Escape);  // a drive that stopped early
    acting = false;
  });
  EXPECT_TRUE(driven);
  EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace bitscope::test
