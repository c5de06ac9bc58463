// SPDX-License-Identifier: MIT
// Buttons, radio groups, the list box and the dialog keys, as a user works
// them, and what the program's own writes do (and do not) notify.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "dialog/winstyle.h"
#include "tests/qt/form_fixture.h"

namespace bitscope::test {
namespace {

using namespace winstyle;

std::vector<int> checkedRadios(LowWindow* window) {
  std::vector<int> ids;
  for (const int id : {200, 201, 202, 203, 204})
    if (lowGetCheck(window, id)) ids.push_back(id);
  return ids;
}

// Where a click on a check box or radio button lands on its mark.
QPoint indicatorOf(QWidget* button) { return {5, button->height() / 2}; }

TEST_F(FormTest, RadioButtonsAreExclusiveWithinTheirTemplateGroupOnly) {
  lowSetCheck(window, 200, true);
  lowSetCheck(window, 203, true);
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{200, 203}));
  for (const int id : {200, 201, 202, 203, 204})
    EXPECT_EQ(commandCount(id, LowNotify::Clicked), 0) << "the program's check marks notify nothing";

  // The group box lies above the radio buttons but lets their clicks through.
  auto* two = widget<QRadioButton>(201);
  const QPoint onIndicator = indicatorOf(two);
  ASSERT_EQ(window->dialog->childAt(two->mapToParent(onIndicator)), two);
  QTest::mouseClick(two, Qt::LeftButton, {}, onIndicator);
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{201, 203}));
  EXPECT_EQ(commandCount(201, LowNotify::Clicked), 1);

  // An arrow key moves the check within the group and is a click too.
  focus(two);
  QTest::keyClick(two, Qt::Key_Down);
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{202, 203}));
  EXPECT_EQ(commandCount(202, LowNotify::Clicked), 1);
  // Past the group's end the arrows come round to its start, not to another
  // group; Tab enters the group at its checked radio.
  QTest::keyClick(widget<QRadioButton>(202), Qt::Key_Right);
  EXPECT_EQ(QApplication::focusWidget(), widget<QRadioButton>(200));
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{200, 203}));
  QTest::keyClick(widget<QRadioButton>(200), Qt::Key_Up);
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{202, 203}));
  EXPECT_TRUE((widget<QRadioButton>(202)->focusPolicy() & Qt::TabFocus) != 0);
  EXPECT_FALSE((widget<QRadioButton>(200)->focusPolicy() & Qt::TabFocus) != 0);

  // The program may leave a group without a check, as the dialog layer's
  // write-out does for a moment.
  lowSetCheck(window, 202, false);
  lowSetCheck(window, 204, true);
  EXPECT_EQ(checkedRadios(window), (std::vector<int>{204}));
}

TEST_F(FormTest, CheckBoxClicksNotifyAndProgramChecksDoNot) {
  lowSetCheck(window, 300, true);
  EXPECT_TRUE(lowGetCheck(window, 300));
  QTest::mouseClick(widget<QCheckBox>(300), Qt::LeftButton, {}, indicatorOf(widget<QCheckBox>(300)));
  EXPECT_FALSE(lowGetCheck(window, 300));
  focus(widget<QCheckBox>(300));
  QTest::keyClick(widget<QCheckBox>(300), Qt::Key_Space);
  EXPECT_TRUE(lowGetCheck(window, 300));
  EXPECT_EQ(commandCount(300, LowNotify::Clicked), 2);
  EXPECT_FALSE(lowGetCheck(window, 400)) << "a push button has no check mark";
}

TEST_F(FormTest, ListSelectionByTheUserNotifiesAndByTheProgramDoesNot) {
  for (const char* text : {"Exponent", "ULP", "Delta(X)"}) lowListAdd(window, 500, text);
  lowListSelect(window, 500, 1);
  EXPECT_EQ(lowListCount(window, 500), 3);
  EXPECT_EQ(lowListText(window, 500, 2), "Delta(X)");
  EXPECT_TRUE(lowListIsSelected(window, 500, 1));
  EXPECT_FALSE(lowListIsMultiple(window, 500));

  auto* list = widget<QListWidget>(500);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_TRUE(lowListIsSelected(window, 500, 0));
  EXPECT_FALSE(lowListIsSelected(window, 500, 1));
  focus(list);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_TRUE(lowListIsSelected(window, 500, 1));
  EXPECT_EQ(commandCount(500, LowNotify::ListSelChange), 2);

  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(commandCount(500, LowNotify::ListDblClick), 1);

  const int before = commandCount(500, LowNotify::ListSelChange);
  lowListSelect(window, 500, -1);
  EXPECT_FALSE(lowListIsSelected(window, 500, 1));
  lowListReset(window, 500);
  EXPECT_EQ(lowListCount(window, 500), 0);
  EXPECT_EQ(commandCount(500, LowNotify::ListSelChange), before);
}

TEST_F(FormTest, EnterClicksTheDefaultButtonAndEscIsTheCancelCommand) {
  focus(edit(100));
  QTest::keyClick(edit(100), Qt::Key_Return);
  QTest::keyClick(edit(100), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(commandCount(400, LowNotify::Clicked), 2);

  QTest::keyClick(edit(100), Qt::Key_Escape);
  ASSERT_EQ(commandCount(2, LowNotify::Clicked), 1);
  EXPECT_FALSE(notices().back().event.fromControl);

  // A focused push button takes Enter itself.
  focus(widget<QPushButton>(401));
  QTest::keyClick(widget<QPushButton>(401), Qt::Key_Return);
  EXPECT_EQ(commandCount(401, LowNotify::Clicked), 1);
  EXPECT_EQ(commandCount(400, LowNotify::Clicked), 2);

  focus(edit(100));
  lowEnable(window, 400, false);
  EXPECT_FALSE(lowIsEnabled(window, 400));
  QTest::keyClick(edit(100), Qt::Key_Return);
  EXPECT_EQ(commandCount(400, LowNotify::Clicked), 2) << "a disabled default button takes no Enter";
}

TEST(DialogKeys, WithoutADefaultButtonEnterClicksTheOkButtonIfAny) {
  using CC = ControlClass;
  for (const bool withOk : {true, false}) {
    SCOPED_TRACE(withOk ? "OK button" : "no OK button");
    resetNotices();
    std::vector<TemplateItem> items = {item(CC::Edit, WS_BORDER | WS_TABSTOP, 100, "", 5, 5, 60, 12)};
    if (withOk) items.push_back(item(CC::Button, BS_PUSHBUTTON | WS_TABSTOP, 1, "OK", 5, 30, 40, 14));
    LowWindow* window = lowCreateModeless(dialogTemplate(items), nullptr, 1, nullptr);
    QWidget* box = qtFindControl(window, 100)->widget;
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(commandCount(1, LowNotify::Clicked), withOk ? 1 : 0);
    // No push button is shown as the default where Enter presses none.
    for (auto* button : window->dialog->findChildren<QPushButton*>()) EXPECT_FALSE(button->isDefault());
    lowDestroyWindow(window);
  }
  resetNotices();
  qtDeleteDestroyedWindows();
}

TEST_F(FormTest, CloseBoxAsksForTheCancelCommandUnlessDisabled) {
  window->dialog->close();
  ASSERT_EQ(commandCount(2, LowNotify::Clicked), 1);
  EXPECT_FALSE(notices().back().event.fromControl);
  EXPECT_TRUE(window->dialog->isVisible()) << "only the dialog layer ends a window";

  lowEnableCloseItem(window, false);
  window->dialog->close();
  EXPECT_EQ(commandCount(2, LowNotify::Clicked), 1);
  lowEnableCloseItem(window, true);
  window->dialog->close();
  EXPECT_EQ(commandCount(2, LowNotify::Clicked), 2);
}

TEST_F(FormTest, ActivationIsNotified) {
  // The fixture's window became active while the test started.
  const bool activated = std::any_of(notices().begin(), notices().end(), [&](const Notice& n) {
    return n.window == window && n.event.kind == LowEvent::Kind::Activate && n.event.active;
  });
  EXPECT_TRUE(activated);
}

TEST_F(FormTest, ControlsFollowTheirTemplateItems) {
  EXPECT_EQ(lowGetUserData(window), &userTag);
  EXPECT_TRUE(lowHasControl(window, 2));
  EXPECT_FALSE(lowHasControl(window, 4242));
  EXPECT_TRUE(widget<QWidget>(2)->isHidden());
  EXPECT_FALSE(lowIsEnabled(window, 402));
  EXPECT_TRUE(widget<QPushButton>(400)->isDefault());

  // Accessible names: the program's, else the caption without its mnemonic,
  // and nothing made up for a control without either.
  EXPECT_EQ(widget<QWidget>(100)->accessibleName(), QString());
  EXPECT_EQ(widget<QWidget>(401)->accessibleName(), QStringLiteral("Apply"));
  EXPECT_EQ(widget<QWidget>(600)->accessibleName(), QStringLiteral("Name"));
  lowSetText(window, 401, "&Save");
  EXPECT_EQ(widget<QWidget>(401)->accessibleName(), QStringLiteral("Save"));
  EXPECT_EQ(lowGetText(window, 401), "&Save");
  AccessibleText named;
  named.name = "Store it";
  named.description = "Keeps the text";
  lowSetAccessibleText(window, 401, named);
  lowSetText(window, 401, "&Apply");
  EXPECT_EQ(widget<QWidget>(401)->accessibleName(), QStringLiteral("Store it"));
  EXPECT_EQ(widget<QWidget>(401)->accessibleDescription(), QStringLiteral("Keeps the text"));

  // A multi-line button breaks its caption between words; its text stays the caption.
  EXPECT_EQ(widget<QPushButton>(403)->text(), QStringLiteral("Save the\nsummary"));
  EXPECT_EQ(lowGetText(window, 403), "Save the summary");

  // A label's mnemonic leads to the next control that takes the focus.
  EXPECT_EQ(widget<QLabel>(600)->buddy(), widget<QWidget>(400));

  // Tab visits the items with WS_TABSTOP in template order, skipping hidden
  // and disabled ones, and one radio button per group.
  std::vector<int> tabOrder;
  for (QWidget* w = window->dialog->nextInFocusChain(); w != window->dialog; w = w->nextInFocusChain()) {
    const QtControl* control = qtFindControl(window, w);
    if (control != nullptr && (w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisibleTo(window->dialog) &&
        w->isEnabled())
      tabOrder.push_back(control->id);
  }
  EXPECT_EQ(tabOrder, (std::vector<int>{100, 101, 102, 200, 203, 300, 500, 400, 401}));

  // Mouse clicks pass through frames and labels to what lies below.
  EXPECT_TRUE(widget<QGroupBox>(700)->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_TRUE(widget<QLabel>(600)->testAttribute(Qt::WA_TransparentForMouseEvents));
}

}  // namespace
}  // namespace bitscope::test

namespace bitscope::test {
namespace {

// Counts the paints one widget receives.
struct PaintCount : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void paintPending() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  QCoreApplication::processEvents();
}

// A new group caption repaints its strip, not the controls the frame surrounds:
// a language switch relabels every frame of the window.
TEST(DialogGroupBoxTest, ANewCaptionRepaintsOnlyItsStrip) {
  QWidget window;
  window.resize(300, 160);
  auto* box = new DialogGroupBox(&window);
  box->setGeometry(10, 10, 280, 140);
  box->setCaption(QStringLiteral("FP Representation"));
  auto* inside = new QLabel(QStringLiteral("inside"), &window);  // above the frame, as in the templates
  inside->setGeometry(30, 60, 100, 20);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  paintPending();

  PaintCount boxPaints, insidePaints;
  box->installEventFilter(&boxPaints);
  inside->installEventFilter(&insidePaints);
  box->setCaption(QStringLiteral("Reprezentare VF"));
  paintPending();
  EXPECT_GE(boxPaints.paints, 1);
  EXPECT_EQ(insidePaints.paints, 0);
  EXPECT_LE(box->minimumSizeHint().width(), box->width());

  // A caption that appears or goes moves the frame's top line: everything repaints.
  box->setCaption(QString());
  paintPending();
  EXPECT_GE(insidePaints.paints, 1);
}

}  // namespace
}  // namespace bitscope::test
