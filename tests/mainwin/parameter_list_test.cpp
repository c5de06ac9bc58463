// SPDX-License-Identifier: MIT
// The parameter list: every view of notable values in each format, against the
// independent oracle (and the literal figures the views are known to show).
#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

struct Notable {
  const char* name;
  Encoding (*bits)(const Format&);
};

const Notable notables[] = {
    {"zero", [](const Format&) { return Encoding(0); }},
    {"subnormal", [](const Format& f) { return (Encoding(1) << (f.t() - 1)) | 5; }},
    {"1.0", [](const Format& f) { return encodingOf(f, 0, static_cast<Encoding>(f.bias()), 0); }},
    {"-1.0", [](const Format& f) { return encodingOf(f, 1, static_cast<Encoding>(f.bias()), 0); }},
    {"smallest normal", smallestNormalBits},
    {"largest finite", largestFinite},
};

class ParameterList : public MainWindowTest {
 protected:
  void show(const Format& f, Encoding x) {
    click(f.bytes == 4 ? R32 : f.bytes == 8 ? R64 : R128);
    const Fields fields = fieldsOf(f, x);
    enterBits(fields.s, fields.e, fields.t);
    ASSERT_TRUE(enabled(List));
    ASSERT_EQ(text(X), expectedXDisplay(f, x));
  }

  void expectItem(const Format& f, Encoding x, int item, bool romanian, bool bits) {
    SCOPED_TRACE("item " + std::to_string(item));
    selectItem(item);
    const View expected = expectedView(f, x, item, romanian, bits);
    EXPECT_EQ(text(Value), expected.value);
    EXPECT_EQ(text(Caption), expected.caption);
    EXPECT_EQ(enabled(NeighbourBits), item == 4 || item == 5);
  }
};

TEST_F(ParameterList, EveryItemOfNotableValuesInEachFormatAndLanguage) {
  for (const Format& f : {f32, f64, f128}) {
    for (const bool romanian : {true, false}) {
      click(romanian ? RO : EN);
      for (const Notable& notable : notables) {
        SCOPED_TRACE(std::to_string(f.bytes) + " bytes, " + notable.name + (romanian ? ", RO" : ", EN"));
        const Encoding x = notable.bits(f);
        show(f, x);
        for (int item = 1; item <= 7; ++item) expectItem(f, x, item, romanian, false);
        // The neighbours as bits: the check box is read at the next selection.
        selectItem(4);
        click(NeighbourBits);
        ASSERT_TRUE(checked(NeighbourBits));
        for (const int item : {4, 5}) expectItem(f, x, item, romanian, true);
        click(NeighbourBits);
      }
    }
  }
}

TEST_F(ParameterList, ABinary128SignificandBitInTheSecondBoxCountsAs2ToTheMinus49) {
  for (const Encoding x : {encodingOf(f128, 0, 16383, Encoding(1) << 63),           // 1 + 2^-49
                           encodingOf(f128, 1, 16000, (Encoding(1) << 63) | 1)}) {  // odd, negative
    show(f128, x);
    for (int item = 1; item <= 7; ++item) expectItem(f128, x, item, true, false);
  }
}

TEST_F(ParameterList, KnownFiguresOfOneInBinary32And128) {
  show(f32, encodingOf(f32, 0, 127, 0));
  const std::pair<int, const char*> figures[] = {{1, "0"},
                                                 {2, "1.0000000E+00"},
                                                 {3, "1.1920929E-07"},
                                                 {4, "1.0000001E+00"},
                                                 {5, "9.9999994E-01"},
                                                 {6, "5.9604652E-08"},
                                                 {7, "1.0000001E+00"}};
  click(EN);
  for (const auto& [item, figure] : figures) {
    selectItem(item);
    EXPECT_EQ(text(Value), figure) << "item " << item;
  }
  selectItem(1);
  EXPECT_EQ(text(Caption), "Representation Exponent (E)");
  selectItem(6);
  EXPECT_EQ(text(Caption), "Delta (Smallest): X + Delta > X");

  show(f128, encodingOf(f128, 0, 16383, 0));
  selectItem(4);
  click(NeighbourBits);
  selectItem(4);
  EXPECT_EQ(text(Value), "0_011111111111111_...0000000000000001");
}

TEST_F(ParameterList, TheNeighbourItemsClearTheCaretBoxAndTakeTheLanguageFromTheRadio) {
  show(f64, encodingOf(f64, 0, 1023, 0));
  ASSERT_NE(text(Caret), "");
  selectItem(4);
  EXPECT_EQ(text(Caret), "");
  click(NeighbourBits);
  selectItem(5);
  EXPECT_EQ(text(Caption), "Nearest < X, Semnificand: ultimii 16 biti");
  // The language is the radio's, whatever the state says.
  appState().language = Language::English;
  selectItem(4);
  EXPECT_EQ(text(Caption), "Nearest > X; Semnificand: ultimii 16 biti");
  EXPECT_EQ(appState().language, Language::Romanian);
}

TEST_F(ParameterList, TogglingTheCheckBoxTakesEffectAtTheNextSelectionOnly) {
  show(f32, encodingOf(f32, 0, 127, 0));
  selectItem(4);
  EXPECT_EQ(text(Value), "1.0000001E+00");
  click(NeighbourBits);
  EXPECT_EQ(text(Value), "1.0000001E+00");
  selectItem(4);
  EXPECT_EQ(text(Value), "0_01111111_00000000000000000000001");
  selectItem(1);
  EXPECT_FALSE(enabled(NeighbourBits));
}

}  // namespace
}  // namespace bitscope::test
