// SPDX-License-Identifier: MIT
// The format radios, and the fill and invert buttons in both scopes.
#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

std::string zeros(std::size_t n) { return std::string(n, '0'); }
std::string ones(std::size_t n) { return std::string(n, '1'); }

class FormatAndFill : public MainWindowTest {
 protected:
  void allFieldsScope() { click(AllFields); }
  void press(int button) { click(button); }  // a button, for readability
};

struct FormatRow {
  int radio, bytes;
  std::vector<std::pair<int, std::size_t>> boxes;  // id and width
};

const FormatRow formatRows[] = {
    {R32, 4, {{S32, 1}, {E32, 8}, {T32, 23}}},
    {R64, 8, {{S64, 1}, {E64, 11}, {T64, 52}}},
    {R128, 16, {{S128, 1}, {E128, 15}, {T128a, 48}, {T128b, 64}}},
};

TEST_F(FormatAndFill, AFormatRadioStartsItsBoxesAtZeroAndKeepsTheOthers) {
  replaceText(T32, "101");  // Binary32 holds bits of its own
  focus(E32);
  selectItem(4);
  click(NeighbourBits);
  ASSERT_EQ(text(Width), "8");
  for (const FormatRow& row : formatRows) {
    SCOPED_TRACE(row.bytes);
    const std::string b32 = text(T32);
    click(row.radio);
    EXPECT_EQ(appState().formatBytes, row.bytes);
    for (const auto& [id, width] : row.boxes) {
      EXPECT_TRUE(enabled(id)) << id;
      EXPECT_EQ(text(id), zeros(width)) << id;
    }
    for (const FormatRow& other : formatRows) {
      if (other.bytes == row.bytes) continue;
      for (const auto& [id, width] : other.boxes) EXPECT_FALSE(enabled(id)) << id;
    }
    if (row.bytes != 4) {
      EXPECT_EQ(text(T32), b32);
    }
    EXPECT_EQ(text(X), "0");
    for (const int id : {Value, Caption, DataType, Caret}) EXPECT_EQ(text(id), "") << id;
    EXPECT_FALSE(checked(NeighbourBits));
    EXPECT_EQ(text(Width), "8");  // the width box is not the radio's business
  }
  // The radio that is on already resets its boxes too.
  replaceText(T128b, "1");
  click(R128);
  EXPECT_EQ(text(T128b), zeros(64));
  EXPECT_EQ(text(X), "0");
}

TEST_F(FormatAndFill, AllFieldsOnesAndZerosInEachFormat) {
  allFieldsScope();
  for (const FormatRow& row : formatRows) {
    SCOPED_TRACE(row.bytes);
    click(row.radio);
    press(Ones);
    for (const auto& [id, width] : row.boxes) EXPECT_EQ(text(id), ones(width)) << id;
    EXPECT_EQ(text(DataType), "Non-Numar");
    EXPECT_FALSE(enabled(List));
    EXPECT_FALSE(enabled(ListLabel));
    EXPECT_EQ(text(Caret), "0");
    EXPECT_EQ(text(Width), row.bytes == 16 ? "112" : "0");
    EXPECT_EQ(text(X), "NaN");
    press(Zeros);
    for (const auto& [id, width] : row.boxes) EXPECT_EQ(text(id), zeros(width)) << id;
    EXPECT_EQ(text(DataType), "Zero cu semn");
    EXPECT_TRUE(enabled(List));
    EXPECT_EQ(text(X), expectedXDisplay(formatOf(row.bytes), 0));
  }
}

TEST_F(FormatAndFill, AllFieldsInvertComplementsTheEncoding) {
  allFieldsScope();
  for (const FormatRow& row : formatRows) {
    SCOPED_TRACE(row.bytes);
    const Format& f = formatOf(row.bytes);
    click(row.radio);
    replaceText(X, "0.75");
    Encoding x = 0;
    ASSERT_TRUE(roundDecimal(f, "0.75", x));
    press(Invert);
    const Encoding inverted = ~x & (f.k == 128 ? ~Encoding(0) : (Encoding(1) << f.k) - 1);
    const Fields expected = fieldsOf(f, inverted);
    EXPECT_EQ(text(row.boxes[0].first), expected.s);
    EXPECT_EQ(text(row.boxes[1].first), expected.e);
    EXPECT_EQ(text(X), expectedXDisplay(f, inverted));
    EXPECT_EQ(text(DataType), "Numar normalizat: Real(" + std::to_string(row.bytes) + ")");
  }
}

TEST_F(FormatAndFill, CurrentFieldActsOnTheBoxLastClickedOrEdited) {
  allFieldsScope();
  press(Ones);
  click(CurrentField);
  focus(E32);
  press(Zeros);
  EXPECT_EQ(text(S32), "1");
  EXPECT_EQ(text(E32), zeros(8));
  EXPECT_EQ(text(T32), ones(23));
  overwrite(T32, 0, 1, "0");  // an edit makes the significand the current field
  press(Zeros);
  EXPECT_EQ(text(T32), zeros(23));
  EXPECT_EQ(text(S32), "1");
  focus(S32);
  press(Invert);
  EXPECT_EQ(text(S32), "0");
  EXPECT_EQ(text(E32), zeros(8));

  click(R128);
  focus(E128);
  press(Ones);
  EXPECT_EQ(text(E128), ones(15));
  EXPECT_EQ(text(T128a), zeros(48));

  // The width carries over to the next format: 15 is no field of Binary64, 1 is the
  // sign in every format.
  focus(E128);
  click(R64);
  press(Ones);
  EXPECT_EQ(text(S64) + text(E64) + text(T64), zeros(64));
  click(R32);
  focus(S32);
  click(R64);
  press(Ones);
  EXPECT_EQ(text(S64), "1");
  EXPECT_EQ(text(E64), zeros(11));
}

TEST_F(FormatAndFill, ASecondPressWithoutClickingAFieldChangesNoBits) {
  for (const FormatRow& row : formatRows) {
    SCOPED_TRACE(row.bytes);
    click(row.radio);
    focus(row.boxes[1].first);
    press(Ones);
    std::vector<std::string> before;
    for (const auto& [id, width] : row.boxes) before.push_back(text(id));
    EXPECT_EQ(before[1], ones(row.boxes[1].second));
    for (const int button : {Zeros, Invert, Ones, Zeros}) {
      press(button);
      for (std::size_t i = 0; i < row.boxes.size(); ++i) EXPECT_EQ(text(row.boxes[i].first), before[i]);
    }
  }
}

TEST_F(FormatAndFill, TheBinary128SignificandBoxesAreChosenByTheLastClick) {
  click(R128);
  focus(T128a);
  EXPECT_EQ(text(Width), "112");
  press(Ones);
  EXPECT_EQ(text(T128a), ones(48));
  EXPECT_EQ(text(T128b), zeros(64));
  EXPECT_EQ(appState().fieldWidth, 112);
  press(Zeros);  // no field clicked since: nothing changes
  EXPECT_EQ(text(T128a), ones(48));

  focus(T128b);
  press(Invert);
  EXPECT_EQ(text(T128a), ones(48));
  EXPECT_EQ(text(T128b), ones(64));
  press(Invert);
  EXPECT_EQ(text(T128b), ones(64));

  overwrite(T128a, 0, 1, "0");  // an edit chooses its box as well
  press(Zeros);
  EXPECT_EQ(text(T128a), zeros(48));
  EXPECT_EQ(text(T128b), ones(64));

  EXPECT_EQ(text(X), expectedXDisplay(f128, (Encoding(1) << 64) - 1));
}

TEST_F(FormatAndFill, FillAndInvertResetTheViewsAndXDifferently) {
  focus(T32);
  selectItem(4);
  click(NeighbourBits);
  replaceText(T32, "1" + zeros(22));
  selectItem(4);
  ASSERT_TRUE(checked(NeighbourBits));
  ASSERT_NE(text(Value), "");
  press(Invert);  // the X box shows the decoded boxes, not "0"
  EXPECT_FALSE(checked(NeighbourBits));
  EXPECT_EQ(text(Value), "");
  EXPECT_EQ(text(Caption), "");
  EXPECT_EQ(text(T32), "0" + ones(22));
  EXPECT_EQ(text(X), expectedXDisplay(f32, (Encoding(1) << 22) - 1));
  EXPECT_EQ(text(DataType), "Numar denormalizat");
  EXPECT_EQ(text(Caret), "0");

  // Blanks stay blanks; the short box is decoded without them.
  replaceText(T32, "01 1");
  press(Invert);
  EXPECT_EQ(text(T32), "10 0");
  EXPECT_EQ(text(X), expectedXDisplay(f32, 4));  // "0" "00000000" "100", right-aligned
}

}  // namespace
}  // namespace bitscope::test
