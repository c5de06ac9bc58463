// SPDX-License-Identifier: MIT
// The language radios: every bilingual text of the main window follows at once.
#include "main_window.h"

namespace bitscope::test {
namespace {

using Language_ = MainWindowTest;

const std::string placeholderRo = std::string(25, ' ') + "Semnificand (Fractia)";
const std::string placeholderEn = std::string(25, ' ') + "Trailing Significand (Fraction)";

struct Labels {
  const char* title;
  std::vector<std::pair<int, std::string>> controls;
};

const Labels romanian{"Bitscope (Format binar)",
                      {{1052, "Data"},
                       {1053, "Reprezentare FP"},
                       {1055, "Format"},
                       {1056, "Biti        Nume"},
                       {1054, "Tip data  (click pe un camp din format)"},
                       {1057, "Parametru  (Numere finite)"},
                       {1043, "Binar: X+ -"},
                       {1045, "Toate campurile"},
                       {1046, "Campul curent  (click pe un camp)"},
                       {1058, "Pozitie cursor in camp\n(msb = 1)"},
                       {1059, "Pozitie (Modificare /Actualizare)"},
                       {1060, "Latime camp"},
                       {1041, "DESPRE"},
                       {1035, placeholderRo}}};
const Labels english{"Bitscope (Binary Format)",
                     {{1052, "Datum"},
                      {1053, "FP Representation"},
                      {1055, "Format"},
                      {1056, "Bits       Name"},
                      {1054, "Data Type  (click a format field)"},
                      {1057, "Parameter  (Finite Numbers)"},
                      {1043, "Binary: X+ -"},
                      {1045, "All Fields"},
                      {1046, "Current Field  (click a field)"},
                      {1058, "Cursor Position in Field\n(msb = 1)"},
                      {1059, "Position\n(Change/Update)"},
                      {1060, "Field Width"},
                      {1041, "ABOUT"},
                      {1035, placeholderEn}}};

std::string itemText(LowWindow* window, int index) {
  const std::string& item = simControl(window, 1044)->items[static_cast<std::size_t>(index)];
  return item.substr(0, item.find_last_not_of(' ') + 1);
}

// The window starts in Romanian; each click switches every label at once.
TEST_F(Language_, EnglishAndBackRewriteTitleLabelsListItemAndPlaceholder) {
  struct Step {
    int radio;  // 0: none, the first display
    const Labels& labels;
    const char* item2;
    Language language;
  };
  const Step steps[] = {{0, romanian, "Semnificand", Language::Romanian},
                        {EN, english, "Significand", Language::English},
                        {RO, romanian, "Semnificand", Language::Romanian},
                        {EN, english, "Significand", Language::English}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.labels.title);
    if (step.radio != 0) click(step.radio);
    EXPECT_EQ(window->title, step.labels.title);
    for (const auto& [id, label] : step.labels.controls) EXPECT_EQ(text(id), label) << "control " << id;
    EXPECT_EQ(itemText(window, 1), step.item2);
    EXPECT_EQ(itemText(window, 0), "Exponent");
    EXPECT_EQ(appState().language, step.language);
    // The window system's own dialogs follow (file chooser, standard buttons).
    EXPECT_EQ(simLanguage(), step.language == Language::English ? "en" : "ro");
  }
}

TEST_F(Language_, BitsInTheBinary64SignificandAreLeftAlone) {
  click(R64);
  replaceText(T64, "1" + std::string(51, '0'));
  click(R32);
  for (const int radio : {EN, RO, EN}) {
    click(radio);
    EXPECT_EQ(text(T64), "1" + std::string(51, '0'));
  }
}

TEST_F(Language_, TheSignificandCaptionFollowsOnlyWhileItem2IsSelected) {
  focus(E32);  // decodes zero: the list becomes usable
  selectItem(2);
  EXPECT_EQ(text(Caption), "     Semnificand");
  click(EN);
  EXPECT_EQ(text(Caption), "Significand");
  click(RO);
  EXPECT_EQ(text(Caption), "Semnificand");

  selectItem(3);
  click(EN);
  EXPECT_EQ(text(Caption), "        ULP(X)");
}

TEST_F(Language_, NoItemSelectedLeavesTheCaptionEmpty) {
  click(EN);
  EXPECT_EQ(text(Caption), "");
}

TEST_F(Language_, TheDataTypeOfDecodedBitsIsTranslatedAtOnce) {
  focus(T32);
  EXPECT_EQ(text(DataType), "Zero cu semn");
  click(EN);
  EXPECT_EQ(text(DataType), "Signed Zero");
  replaceText(E32, "10000000");
  EXPECT_EQ(text(DataType), "Normalized Number: Real(4)");
  click(RO);
  EXPECT_EQ(text(DataType), "Numar normalizat: Real(4)");
}

// The classification is that of the last decode: once X or the format has changed the
// bits, it no longer describes them, and a language switch must not bring it back.
TEST_F(Language_, AStaleDataTypeIsNotShownBySwitching) {
  click(EN);  // at start nothing has been decoded: the boxes hold zero
  EXPECT_EQ(text(DataType), "");

  focus(T32);
  EXPECT_EQ(text(DataType), "Signed Zero");
  replaceText(X, "1.5");  // the boxes now hold 1.5, the last decode said zero
  ASSERT_EQ(text(DataType), "");
  click(RO);
  EXPECT_EQ(text(DataType), "");

  focus(T32);
  click(R64);
  click(EN);
  EXPECT_EQ(text(DataType), "");
}

// The help button chooses its guide by the one language field, whoever wrote it.
TEST_F(Language_, TheHelpButtonFollowsTheLanguageField) {
  appState().language = Language::English;
  simAnswerSearchPath("");
  click(1042);
  EXPECT_EQ(simSearchedNames(), std::vector<std::string>{"VAZ&I-en.pdf"});
}

}  // namespace
}  // namespace bitscope::test
