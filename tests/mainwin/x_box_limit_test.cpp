// SPDX-License-Identifier: MIT
// The X box holds no more than the 42 characters that are read: what it shows is what
// is read, whether typed, pasted or written by the program.
#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

class XBox : public MainWindowTest {
 protected:
  // The boxes of the current format as one encoding's fields.
  Fields shownFields() {
    switch (appState().formatBytes) {
      case 4:
        return {text(S32), text(E32), text(T32)};
      case 8:
        return {text(S64), text(E64), text(T64)};
      default:
        return {text(S128), text(E128), text(T128a) + text(T128b)};
    }
  }

  // The encoding of the decimal text in the current format.
  Fields fieldsOfDecimal(const std::string& decimal) {
    const Format& f = formatOf(appState().formatBytes);
    Encoding bits = 0;
    EXPECT_TRUE(roundDecimal(f, decimal.c_str(), bits)) << decimal;
    return fieldsOf(f, bits);
  }
};

TEST_F(XBox, TypingBeyondFortyTwoCharactersIsRefused) {
  // 1.2345678901234567890123456789012345678901E-5 typed in full: the box takes the first
  // 42 characters, and the boxes show the number those are.
  click(R64);
  replaceText(X, "");
  const std::string digits = "1.2345678901234567890123456789012345678901";
  ASSERT_EQ(digits.size(), 42u);
  type(X, digits + "E-5");
  EXPECT_EQ(text(X), digits);
  EXPECT_EQ(shownFields(), fieldsOfDecimal(digits));

  // A refused keystroke changes nothing and tells nothing: an invalid text, whose every
  // reading shows a message, shows none for the 43rd character.
  replaceText(X, "");
  newMessages();
  type(X, "abc" + std::string(39, 'x'));
  EXPECT_EQ(newMessages().size(), 40u);  // from the third character on
  type(X, "x");
  EXPECT_TRUE(newMessages().empty());
  EXPECT_EQ(text(X), "abc" + std::string(39, 'x'));

  // Deleting one makes room for one.
  EXPECT_TRUE(simPressKey(window, SimKey::Backspace));
  type(X, "yz");
  EXPECT_EQ(text(X), "abc" + std::string(38, 'x') + "y");
}

TEST_F(XBox, APasteIsCutToWhatFitsAndTheCutIsWhatIsRead) {
  click(R64);
  struct Row {
    const char* before;
    int from, to;  // the selection the paste replaces
    std::string pasted, shown;
  };
  const Row rows[] = {
      {"0", 0, 1, "1.2345678901234567890123456789012345678901E-5",
       "1.2345678901234567890123456789012345678901"},
      {"1.5", 1, 1, std::string(50, '0'), "1" + std::string(39, '0') + ".5"},  // into the middle
      {"2.5e10", 3, 6, "1234567890" + std::string(40, '9'), "2.51234567890" + std::string(29, '9')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    replaceText(X, row.before);
    EXPECT_TRUE(simSelectText(window, X, row.from, row.to));
    EXPECT_TRUE(simPaste(window, X, row.pasted));
    EXPECT_EQ(text(X), row.shown);
    EXPECT_EQ(shownFields(), fieldsOfDecimal(row.shown));
  }
}

// The program's own writes of X: every X display text fits whole, the longest (a
// Binary128 number with a four-digit exponent and a sign) exactly.
TEST_F(XBox, EveryXDisplayTextFitsTheBox) {
  struct Row {
    int radio;
    const Format& format;
    Encoding bits;
  };
  const Encoding one = 1;
  const Row rows[] = {
      {R32, f32, encodingOf(f32, 1, 0, 1)},           {R32, f32, largestFinite(f32) | one << 31},
      {R64, f64, encodingOf(f64, 1, 0, 1)},           {R64, f64, largestFinite(f64) | one << 63},
      {R128, f128, encodingOf(f128, 1, 0, 1)},        {R128, f128, encodingOf(f128, 1, 0, (one << 112) - 1)},
      {R128, f128, largestFinite(f128) | one << 127},
  };
  for (const Row& row : rows) {
    const std::string expected = expectedXDisplay(row.format, row.bits);
    SCOPED_TRACE(expected);
    click(row.radio);
    const Fields fields = fieldsOf(row.format, row.bits);
    enterBits(fields.s, fields.e, fields.t);
    click(row.format.bytes == 16 ? S128 : row.format.bytes == 8 ? S64 : S32);
    EXPECT_EQ(text(X), expected);
    EXPECT_LE(text(X).size(), xTextLength);
  }
  EXPECT_EQ(expectedXDisplay(f128, encodingOf(f128, 1, 0, 1)), "-6.475175119438025110924438958227647D-4966");
  enterBits("1", std::string(15, '1'), std::string(112, '0'));
  EXPECT_EQ(text(X), "-Infinity");

  // A full box written by the program still refuses one more character.
  click(R128);
  const Fields tiny = fieldsOf(f128, encodingOf(f128, 1, 0, 1));
  enterBits(tiny.s, tiny.e, tiny.t);
  click(S128);
  ASSERT_EQ(text(X).size(), xTextLength);
  focus(X);
  EXPECT_TRUE(simSelectText(window, X, 42, 42));
  type(X, "1");
  EXPECT_EQ(text(X), "-6.475175119438025110924438958227647D-4966");
}

}  // namespace
}  // namespace bitscope::test
