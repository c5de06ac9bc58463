// SPDX-License-Identifier: MIT
// Editing the bit boxes: the current field, repairs with their messages, and the decode
// of whatever the boxes hold.
#include <algorithm>

#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

// A bit text (blanks skipped, digits right-aligned) as an encoding: how the boxes are
// meant to be read.
Encoding digitsOf(std::string_view text) {
  Encoding bits = 0;
  for (const char c : text)
    if (c != ' ') bits = (bits << 1) | (c == '0' ? 0 : 1);
  return bits;
}

class BitEditing : public MainWindowTest {
 protected:
  void selectFormat(int bytes) { click(bytes == 4 ? R32 : bytes == 8 ? R64 : R128); }
  std::string boxes(int bytes) {
    if (bytes == 4) return text(S32) + text(E32) + text(T32);
    if (bytes == 8) return text(S64) + text(E64) + text(T64);
    return text(S128) + text(E128) + text(T128a) + text(T128b);
  }
};

struct Box {
  int bytes, id, width;
};

const Box allBoxes[] = {{4, S32, 1},  {4, E32, 8},   {4, T32, 23},   {8, S64, 1},      {8, E64, 11},
                        {8, T64, 52}, {16, S128, 1}, {16, E128, 15}, {16, T128a, 112}, {16, T128b, 112}};

TEST_F(BitEditing, ClickingABoxShowsItsWidthTheDataTypeAndX) {
  for (const Box& box : allBoxes) {
    SCOPED_TRACE("box " + std::to_string(box.id));
    selectFormat(box.bytes);
    replaceText(X, "-3.0");
    focus(box.id);
    selectItem(3);  // a view that focusing must not clear
    const std::string view = text(Value);
    ASSERT_NE(view, "");
    focus(X);
    focus(box.id);
    EXPECT_EQ(text(Caret), "");
    EXPECT_EQ(text(Width), std::to_string(box.width));
    EXPECT_EQ(text(DataType), "Numar normalizat: Real(" + std::to_string(box.bytes) + ")");
    EXPECT_EQ(text(X), expectedXDisplay(formatOf(box.bytes), digitsOf(boxes(box.bytes))));
    EXPECT_EQ(text(Value), view);
    EXPECT_EQ(appState().fieldWidth, box.width);
  }
}

TEST_F(BitEditing, OverwritingASelectedBitShowsItsPositionAndRedecodes) {
  focus(E32);
  selectItem(6);
  ASSERT_NE(text(Value), "");
  overwrite(E32, 2, 3, "1");
  EXPECT_EQ(text(Value), "");  // an edit empties the view
  EXPECT_EQ(text(Caption), "");
  EXPECT_EQ(text(E32), "00100000");
  EXPECT_EQ(text(Caret), "3");
  EXPECT_EQ(text(Width), "8");
  EXPECT_EQ(text(X), expectedXDisplay(f32, digitsOf("0"
                                                    "00100000" +
                                                    std::string(23, '0'))));
  EXPECT_EQ(text(DataType), "Numar normalizat: Real(4)");
  EXPECT_TRUE(messages().empty());

  selectFormat(16);
  overwrite(T128b, 0, 1, "1");
  EXPECT_EQ(text(Caret), "49");
  EXPECT_EQ(text(Width), "112");
}

struct Repair {
  int bytes, id;
  bool english;
  int at;  // where the character is typed (over a selected bit, or behind the last)
  const char* typed;
  std::string repaired;
  const char* message;
  const char* title;
};

const char* const invalidRo = "Valoare invalida pentru bit !\n(Se inlocuieste cu \"1\")";
const char* const invalidEn = "Invalid input for bit !\n(It is being replaced by \"1\")";

TEST_F(BitEditing, AnInvalidCharacterBecomesOneWithAWarning) {
  const Repair repairs[] = {
      {4, E32, true, 0, "2", "10000000", invalidEn, "Error"},
      {4, E32, false, 0, "2", "10000000", invalidRo, "Eroare"},
      {4, T32, false, 5, "x", "00000100000000000000000", invalidRo, "Eroare"},
      {4, S32, false, 0, "?", "1", invalidRo, "Eroare"},
      {8, T64, false, 0, "a", "1" + std::string(51, '0'), invalidEn, "Error"},
      {16, T128b, false, 63, "*", std::string(63, '0') + "1", invalidEn, "Error"},
      {16, E128, true, 14, "9", "000000000000001", invalidEn, "Error"},
  };
  for (const Repair& r : repairs) {
    SCOPED_TRACE("box " + std::to_string(r.id) + (r.english ? " EN" : " RO"));
    click(r.english ? EN : RO);
    selectFormat(r.bytes);
    newMessages();
    overwrite(r.id, r.at, r.at + 1, r.typed);
    const std::vector<SimMessageBox> shown = newMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, r.message);
    EXPECT_EQ(shown[0].caption, r.title);
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(text(r.id), r.repaired);
    const std::string shownBits = boxes(r.bytes);  // the others as they were: zeros
    EXPECT_EQ(std::count(shownBits.begin(), shownBits.end(), '1'), 1);
    EXPECT_EQ(text(X), expectedXDisplay(formatOf(r.bytes), digitsOf(shownBits)));
  }
}

// The exponent boxes take digits only: a typed letter never reaches the program, while
// pasted letters do and are repaired with the message, as in any other bit box.
TEST_F(BitEditing, TheExponentBoxesRefuseTypedLettersButRepairPastedOnes) {
  struct Case {
    int bytes, id, width;
    const char* message;
  };
  const Case cases[] = {{4, E32, 8, invalidRo}, {8, E64, 11, invalidEn}, {16, E128, 15, invalidEn}};
  for (const Case& c : cases) {
    SCOPED_TRACE("box " + std::to_string(c.id));
    selectFormat(c.bytes);
    focus(c.id);
    const std::string zeros(static_cast<std::size_t>(c.width), '0');
    const std::string x = text(X);
    newMessages();
    overwrite(c.id, 0, 1, "a- .");
    EXPECT_EQ(text(c.id), zeros);
    EXPECT_EQ(text(Caret), "");  // no edit reached the program
    EXPECT_TRUE(newMessages().empty());

    replaceText(c.id, "1a" + zeros.substr(2));
    EXPECT_EQ(text(c.id), "11" + zeros.substr(2));
    const std::vector<SimMessageBox> shown = newMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.message);
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(text(X), expectedXDisplay(formatOf(c.bytes), digitsOf(boxes(c.bytes))));
    EXPECT_NE(text(X), x);
  }
}

struct Excess {
  int bytes, id, width;
  bool english;
  MessageIcon icon;
};

TEST_F(BitEditing, OneCharacterTooManyIsCutWithTheFormatsIcon) {
  const Excess cases[] = {
      {4, S32, 1, false, MessageIcon::Error},    {4, E32, 8, false, MessageIcon::Warning},
      {4, T32, 23, true, MessageIcon::Warning},  {8, S64, 1, false, MessageIcon::Error},
      {8, E64, 11, false, MessageIcon::Error},   {8, T64, 52, true, MessageIcon::Error},
      {16, S128, 1, false, MessageIcon::Error},  {16, E128, 15, false, MessageIcon::Error},
      {16, T128a, 48, true, MessageIcon::Error}, {16, T128b, 64, false, MessageIcon::Error},
  };
  for (const Excess& c : cases) {
    SCOPED_TRACE("box " + std::to_string(c.id));
    click(c.english ? EN : RO);
    selectFormat(c.bytes);
    newMessages();
    overwrite(c.id, 0, 0, "1");  // in front: the first `width` characters are kept
    const std::vector<SimMessageBox> shown = newMessages();
    ASSERT_EQ(shown.size(), 1u);
    const bool romanian = c.bytes == 4 && !c.english;
    EXPECT_EQ(shown[0].text, romanian ? "1 Bit in plus !\n(Ultimul bit se elimina)"
                                      : "1 Bit in Excess !\n(The last bit is being removed)");
    EXPECT_EQ(shown[0].caption, romanian ? "Eroare" : "Error");
    EXPECT_EQ(shown[0].icon, c.icon);
    std::string kept(static_cast<std::size_t>(c.width), '0');
    kept.front() = '1';
    EXPECT_EQ(text(c.id), kept);
    EXPECT_EQ(text(Caret), c.id == T128b ? "49" : "1");
  }
}

// The character check covers one character beyond the field in some boxes and not in
// others; where it does, an invalid extra character gives both messages, in order.
TEST_F(BitEditing, AnInvalidExtraCharacterIsCheckedWhereTheBoxScansIt) {
  struct Case {
    int bytes, id, width;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {4, E32, 8, {invalidRo, "1 Bit in plus !\n(Ultimul bit se elimina)"}},
      {4, T32, 23, {invalidRo, "1 Bit in plus !\n(Ultimul bit se elimina)"}},
      {8, E64, 11, {"1 Bit in Excess !\n(The last bit is being removed)"}},
      {8, T64, 52, {invalidEn, "1 Bit in Excess !\n(The last bit is being removed)"}},
      {16, E128, 15, {"1 Bit in Excess !\n(The last bit is being removed)"}},
      {16, T128a, 48, {invalidEn, "1 Bit in Excess !\n(The last bit is being removed)"}},
      {16, T128b, 64, {"1 Bit in Excess !\n(The last bit is being removed)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("box " + std::to_string(c.id));
    selectFormat(c.bytes);
    newMessages();
    overwrite(c.id, c.width, c.width, "7");
    std::vector<std::string> shown;
    for (const SimMessageBox& box : newMessages()) shown.push_back(box.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_EQ(text(c.id), std::string(static_cast<std::size_t>(c.width), '0'));
  }
}

TEST_F(BitEditing, APasteOfThirtyCharactersKeepsTheFirst23WithOneMessage) {
  replaceText(T32, "110" + std::string(27, '1'));
  EXPECT_EQ(text(T32), std::string(2, '1') + "0" + std::string(20, '1'));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "1 Bit in plus !\n(Ultimul bit se elimina)");
}

TEST_F(BitEditing, ADeletedBitShiftsTheDigitsBeforeIt) {
  replaceText(E32, "01111111");
  replaceText(T32, "1" + std::string(21, '0') + "1");
  ASSERT_TRUE(simSelectText(window, T32, 0, 1));
  ASSERT_TRUE(simPressKey(window, SimKey::Delete));
  EXPECT_EQ(text(T32), std::string(21, '0') + "1");
  EXPECT_TRUE(messages().empty());
  // 31 digits right-aligned in 32 bits: S, E and the first T bits move one place down.
  const Encoding expected = digitsOf(
      "0"
      "0"
      "01111111" +
      std::string(21, '0') + "1");
  EXPECT_EQ(allBits(f32, expected), "00011111110000000000000000000001");
  EXPECT_EQ(text(X), expectedXDisplay(f32, expected));
  EXPECT_EQ(text(DataType), "Numar normalizat: Real(4)");
}

// The digits of a short box move down, so the data type and the views must follow the
// value they make, not the texts: seven exponent zeros and a zero significand are +0,
// not a normal number with the impossible exponent -127.
TEST_F(BitEditing, AShortFieldIsClassifiedAndViewedAsTheValueItsDigitsMake) {
  replaceText(E32, "0000000");
  EXPECT_EQ(text(X), expectedXDisplay(f32, 0));
  EXPECT_EQ(text(DataType), "Zero cu semn");
  for (const int item : {1, 2, 6}) {
    selectItem(item);
    EXPECT_EQ(text(Value), expectedView(f32, 0, item, true, false).value) << "item " << item;
  }
  replaceText(E32, "1111111");  // 0 1111111 0...0 read as 31 digits: 0 01111111 0...0
  EXPECT_EQ(text(DataType), "Numar normalizat: Real(4)");
  selectItem(1);
  EXPECT_EQ(text(Value), "0");
}

TEST_F(BitEditing, InfinityAndNaNPatternsDisableTheList) {
  replaceText(E32, "11111111");
  EXPECT_EQ(text(DataType), "Infinit cu semn");
  EXPECT_EQ(text(X), "+Infinity");
  EXPECT_FALSE(enabled(List));
  EXPECT_FALSE(enabled(ListLabel));
  overwrite(T32, 22, 23, "1");
  EXPECT_EQ(text(DataType), "Non-Numar");
  EXPECT_EQ(text(X), "NaN");
  EXPECT_FALSE(enabled(List));
  overwrite(E32, 0, 1, "0");
  EXPECT_EQ(text(DataType), "Numar normalizat: Real(4)");
  EXPECT_TRUE(enabled(List));
  EXPECT_TRUE(enabled(ListLabel));
}

}  // namespace
}  // namespace bitscope::test
