// SPDX-License-Identifier: MIT
// The main window's layout, measured on screen: positions in dialog units of
// the dialog font, every bit box showing all its bits without scrolling, and
// no caption clipped, at the template's font and at other sizes.
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "dialog/winstyle.h"
#include "tests/qt/form_fixture.h"

namespace bitscope::test {
namespace {

struct BitBox {
  int id;
  int bits;
};
constexpr BitBox bitBoxes[] = {{1026, 1},  {1027, 8}, {1028, 23}, {1032, 1},  {1033, 11},
                               {1035, 52}, {1014, 1}, {1015, 15}, {1016, 48}, {1018, 64}};

std::string bitPattern(int bits) {
  std::string text;
  for (int i = 0; i < bits; ++i) text += (i % 3 == 1) ? '1' : '0';
  return text;
}

int caretX(QLineEdit* edit) { return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x(); }

class MainWindowLayout : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    const DialogTemplate* found = findDialogTemplate(101);
    ASSERT_NE(found, nullptr);
    tpl = *found;
    if (GetParam() != 0) tpl.fontPointSize = GetParam();
    resetNotices();
    window = lowCreateModeless(tpl, nullptr, 1, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    lowDestroyWindow(window);
    qtDeleteDestroyedWindows();
    resetNotices();
  }
  DialogTemplate tpl;
  LowWindow* window = nullptr;
};

TEST_P(MainWindowLayout, PositionsAreDialogUnitsOfTheDialogFont) {
  const DialogMetrics& m = window->metrics;
  // 8-point Liberation Sans gives base units near those of the Windows font.
  if (GetParam() == 0) {
    EXPECT_EQ(m.font.family(), QStringLiteral("Liberation Sans"));
    EXPECT_NEAR(m.baseX, 6, 1);
    EXPECT_NEAR(m.baseY, 13, 1);
  }
  EXPECT_EQ(window->dialog->size(), QSize(m.toX(tpl.width), m.toY(tpl.height)));
  ASSERT_EQ(window->controls.size(), tpl.items.size());
  for (std::size_t i = 0; i < tpl.items.size(); ++i) {
    const TemplateItem& it = tpl.items[i];
    SCOPED_TRACE(it.id);
    EXPECT_EQ(window->controls[i].widget->geometry(),
              QRect(m.toX(it.x), m.toY(it.y), m.toX(it.width), m.toY(it.height)));
  }
  // One dialog unit is a quarter of the average letter width, an eighth of
  // the character height.
  const QFontMetrics fm(m.font);
  EXPECT_EQ(
      m.baseX,
      qRound(fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
             52.0));
  EXPECT_EQ(m.baseY, fm.height());
}

TEST_P(MainWindowLayout, EveryBitBoxShowsAllItsBitsWithoutScrolling) {
  for (const BitBox& box : bitBoxes) {
    SCOPED_TRACE(box.id);
    auto* edit = qobject_cast<QLineEdit*>(qtFindControl(window, box.id)->widget);
    ASSERT_NE(edit, nullptr);
    lowSetText(window, box.id, "");
    const int emptyX = caretX(edit);
    const std::string bits = bitPattern(box.bits);
    lowSetText(window, box.id, bits);
    edit->setCursorPosition(box.bits);
    // Scrolled text would put the caret short of the text's full width.
    const qreal width = QFontMetricsF(edit->font()).horizontalAdvance(QString::fromStdString(bits));
    EXPECT_NEAR(caretX(edit) - emptyX, width, 1.0);
    EXPECT_LT(caretX(edit), edit->width());
    edit->setCursorPosition(0);
    EXPECT_EQ(caretX(edit), emptyX);
    // Shrinking stays moderate: the bits remain readable.
    EXPECT_GE(QFontInfo(edit->font()).pixelSize(), QFontInfo(window->metrics.font).pixelSize() * 7 / 10);
  }
}

TEST_P(MainWindowLayout, NoCaptionIsClipped) {
  using namespace winstyle;
  int checked = 0;
  ASSERT_EQ(window->controls.size(), tpl.items.size());
  for (std::size_t i = 0; i < tpl.items.size(); ++i) {
    const TemplateItem& it = tpl.items[i];
    if (it.title.empty() || it.titleIsResource || (it.style & WS_VISIBLE) == 0) continue;
    QWidget* w = window->controls[i].widget;
    SCOPED_TRACE(it.title);
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
        EXPECT_LE(label->minimumSizeHint().width(), label->width());  // the longest word
      } else {
        EXPECT_LE(label->sizeHint().width(), label->width());
        EXPECT_LE(label->sizeHint().height(), label->height());
      }
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
      EXPECT_LE(box->minimumSizeHint().width(), box->width());
    } else if (auto* push = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(push);
      option.rect = push->rect();
      const QRect room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
      const QRect text =
          QFontMetrics(push->font()).boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic, push->text());
      EXPECT_TRUE(room.contains(text)) << push->text().toStdString();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      // Check boxes and radio buttons draw their caption after the mark.
      QStyleOptionButton option;
      option.initFrom(button);
      option.rect = button->rect();
      const QRect room = button->style()->subElementRect(qobject_cast<QCheckBox*>(button) != nullptr
                                                             ? QStyle::SE_CheckBoxContents
                                                             : QStyle::SE_RadioButtonContents,
                                                         &option, button);
      const QRect text =
          QFontMetrics(button->font())
              .boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, button->text());
      EXPECT_TRUE(room.contains(text)) << button->text().toStdString();
      EXPECT_GT(room.left(), 0);
    } else {
      ADD_FAILURE() << "unexpected widget";
    }
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

INSTANTIATE_TEST_SUITE_P(FontSizes, MainWindowLayout, ::testing::Values(0, 6, 12),
                         [](const ::testing::TestParamInfo<int>& size) {
                           return size.param == 0 ? std::string("TemplateFont")
                                                  : std::to_string(size.param) + "Point";
                         });

}  // namespace
}  // namespace bitscope::test
