// SPDX-License-Identifier: MIT
// The tooltips of the main window: the exact value of X with the error of the
// read that made it, the exact neighbour shown in the value box, the bit under
// the mouse in a bit box; each in the language of the moment.
#include <algorithm>

#include "main_window.h"

namespace bitscope::test {
namespace {

using ToolTips = MainWindowTest;

constexpr const char* tenthBinary32 = "0.100000001490116119384765625";

std::string countDigits(const std::string& text) {
  return std::to_string(std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

TEST_F(ToolTips, XShowsTheStoredValueAndTheErrorOfTheReadInTheCurrentLanguage) {
  type(X, "0.1");
  EXPECT_EQ(simToolTip(window, X, 0),
            std::string("Valoarea memorata exact: ") + tenthBinary32 + "\nEroarea conversiei: +0.2 ULP");
  EXPECT_EQ(simCopyItemLabel(window, X), "Copiaza valoarea exacta");
  click(EN);
  EXPECT_EQ(simToolTip(window, X, -1),
            std::string("Stored exactly: ") + tenthBinary32 + "\nConversion error: +0.2 ULP");
  EXPECT_EQ(simCopyItemLabel(window, X), "Copy exact value");
  EXPECT_EQ(simCopyItemText(window, X), tenthBinary32);

  // Either sign of the error, and none for a number stored exactly.
  const std::pair<const char*, const char*> reads[] = {
      {"0.7", "Stored exactly: 0.699999988079071044921875\nConversion error: -0.2 ULP"},
      {"0.3", "Stored exactly: 0.300000011920928955078125\nConversion error: +0.4 ULP"},
      {"-2.5", "Stored exactly: -2.5\nConversion error: 0 ULP"}};
  for (const auto& [typed, tip] : reads) {
    replaceText(X, typed);
    EXPECT_EQ(simToolTip(window, X, 0), tip) << typed;
  }
}

TEST_F(ToolTips, TheErrorGoesWithTheBitsItWasReadInto) {
  click(EN);
  type(X, "0.1");
  // The last significand bit flipped: another value, read from no text.
  overwrite(T32, 22, 23, "0");
  EXPECT_EQ(simToolTip(window, X, 0), "Stored exactly: 0.0999999940395355224609375");
  // A new format holds zeros until a field is entered: so does its X.
  replaceText(X, "0.1");
  click(R64);
  EXPECT_EQ(simToolTip(window, X, 0), "Stored exactly: 0");
  // A text that is not read (yet) has no error, though the boxes keep the value.
  replaceText(X, "0.1");
  replaceText(X, "0.");
  EXPECT_EQ(simToolTip(window, X, 0),
            "Stored exactly: 0.1000000000000000055511151231257827021181583404541015625");
  // An infinity stores no finite number: no tooltip, nothing to copy.
  replaceText(X, "inf");
  EXPECT_EQ(simToolTip(window, X, 0), "");
  EXPECT_EQ(simCopyItemText(window, X), "");
}

TEST_F(ToolTips, ALongExpansionIsShortenedButCopiedWhole) {
  click(EN);
  click(R128);
  replaceText(X, "6.5e-4966");  // the smallest subnormal, 2^-16494
  const std::string tip = simToolTip(window, X, 0);
  EXPECT_EQ(tip.substr(0, tip.find('\n')),
            "Stored exactly: 6.4751751194380251109244389582276465524995693380346810096898...e-4966");
  const std::string whole = simCopyItemText(window, X);
  EXPECT_EQ(countDigits(whole.substr(0, whole.find('e'))), "11529");
  EXPECT_EQ(whole.substr(whole.size() - 6), "e-4966");
}

TEST_F(ToolTips, TheValueBoxShowsTheExactNeighbourItShows) {
  click(EN);
  type(X, "0.1");
  click(T32);  // decoded: the list takes the value
  selectItem(4);
  EXPECT_EQ(simToolTip(window, Value, 0), "Stored exactly: 0.10000000894069671630859375");
  EXPECT_EQ(simCopyItemText(window, Value), "0.10000000894069671630859375");
  selectItem(5);
  EXPECT_EQ(simToolTip(window, Value, 0), "Stored exactly: 0.0999999940395355224609375");
  selectItem(7);
  EXPECT_EQ(simToolTip(window, Value, 0), "Stored exactly: 0.10000000894069671630859375");
  // ULP is no stored X: no tooltip.
  selectItem(3);
  EXPECT_EQ(simToolTip(window, Value, 0), "");
  EXPECT_EQ(simCopyItemText(window, Value), "");
}

TEST_F(ToolTips, ABitBoxNamesTheBitUnderTheMouseItsWeightAndField) {
  EXPECT_EQ(simToolTip(window, S32, 0), "Bitul 1 al campului semn S: semnul");
  EXPECT_EQ(simToolTip(window, E32, 0),
            "Bitul 1 al campului exponent E, ponderea 2^7 (in exponentul deplasat)");
  EXPECT_EQ(simToolTip(window, T32, 2), "Bitul 3 al campului semnificand T, ponderea 2^-3");
  click(EN);
  EXPECT_EQ(simToolTip(window, S64, 0), "Bit 1 of the sign field S: the sign");
  EXPECT_EQ(simToolTip(window, E32, 7), "Bit 8 of the exponent field E, weight 2^0 (in the biased exponent)");
  EXPECT_EQ(simToolTip(window, E128, 0),
            "Bit 1 of the exponent field E, weight 2^14 (in the biased exponent)");
  EXPECT_EQ(simToolTip(window, T32, 22), "Bit 23 of the significand field T, weight 2^-23");
  // The second Binary128 significand box continues the first.
  click(R128);
  EXPECT_EQ(simToolTip(window, T128b, 0), "Bit 49 of the significand field T, weight 2^-49");
  EXPECT_EQ(simToolTip(window, T128b, 63), "Bit 112 of the significand field T, weight 2^-112");
  // Past the last bit: on no bit.
  EXPECT_EQ(simToolTip(window, T32, 23), "");
  EXPECT_EQ(simCopyItemLabel(window, T32), "");
}

}  // namespace
}  // namespace bitscope::test
