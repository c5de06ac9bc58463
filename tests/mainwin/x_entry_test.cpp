// SPDX-License-Identifier: MIT
// The X entry: every change of 1007 resets the views; from three characters on the text
// is read into the current format and its encoding shown in the bit boxes.
#include "main_window.h"
#include "oracle.h"

namespace bitscope::test {
namespace {

class XEntry : public MainWindowTest {
 protected:
  void selectFormat(int bytes) { click(bytes == 4 ? R32 : bytes == 8 ? R64 : R128); }

  // The current format's boxes as one encoding's fields.
  Fields shownFields(int bytes) {
    if (bytes == 4) return {text(S32), text(E32), text(T32)};
    if (bytes == 8) return {text(S64), text(E64), text(T64)};
    return {text(S128), text(E128), text(T128a) + text(T128b)};
  }

  Fields fieldsOfDecimal(int bytes, const char* decimal) {
    Encoding bits = 0;
    EXPECT_TRUE(roundDecimal(formatOf(bytes), decimal, bits)) << decimal;
    return fieldsOf(formatOf(bytes), bits);
  }
};

enum class Outcome { Read, Invalid, Kept };

struct Entry {
  int bytes;
  const char* typed;
  const char* decimal;  // what the text means, in plain notation
  Outcome outcome;
};

const Entry entries[] = {
    {4, "0.1", "0.1", Outcome::Read},
    {4, "-2.75e3", "-2750", Outcome::Read},
    {4, "  5", "5", Outcome::Read},        // leading blanks count towards three
    {4, "1.5 abc", "1.5", Outcome::Read},  // the number ends at the blank
    {4, "1.5,7", "1.5", Outcome::Read},
    {4, "1.5D2", "150", Outcome::Read},
    {4, "2q-3", "0.002", Outcome::Read},
    {4, "1e-40", "1e-40", Outcome::Read},  // a subnormal, no message
    {4, "1e-46", "0", Outcome::Read},      // below the subnormals: +0
    {4, "-1e-50", "-0", Outcome::Read},
    {4, "3.4028235e38", "3.4028235e38", Outcome::Read},
    {4, "1e39", nullptr, Outcome::Invalid},
    {4, "abc", nullptr, Outcome::Invalid},
    {4, "1.5abc", nullptr, Outcome::Invalid},
    {4, "1.5e", nullptr, Outcome::Invalid},
    {4, ",5", nullptr, Outcome::Kept},
    {4, "/7x", nullptr, Outcome::Kept},
    {4, "   ", nullptr, Outcome::Kept},
    {8, "0.1", "0.1", Outcome::Read},
    {8, "1e39", "1e39", Outcome::Read},
    {8, "4.9e-324", "4.9e-324", Outcome::Read},
    {8, "2e-324", "0", Outcome::Read},
    {8, "-1d-310", "-1e-310", Outcome::Read},
    {8, "1e309", nullptr, Outcome::Invalid},
    {8, "--1", nullptr, Outcome::Invalid},
    {8, ",,,", nullptr, Outcome::Kept},
    {16, "0.1", "0.1", Outcome::Read},
    {16, "-0.0", "-0", Outcome::Read},
    {16, "1.18973149535723176508575932662800702e4932", "1.18973149535723176508575932662800702e4932",
     Outcome::Read},
    {16, "1e-4940", "1e-4940", Outcome::Read},
    {16, "1Q4933", nullptr, Outcome::Invalid},
    {16, "/2.5", nullptr, Outcome::Kept},
};

TEST_F(XEntry, EachTextIsReadStraightIntoTheCurrentFormat) {
  for (const Entry& entry : entries) {
    SCOPED_TRACE(std::to_string(entry.bytes) + " bytes, \"" + entry.typed + "\"");
    selectFormat(entry.bytes);
    replaceText(X, "2.5");
    const Fields before = shownFields(entry.bytes);
    ASSERT_EQ(before, fieldsOfDecimal(entry.bytes, "2.5"));
    newMessages();

    replaceText(X, entry.typed);
    const std::vector<SimMessageBox> shown = newMessages();
    if (entry.outcome == Outcome::Read) {
      EXPECT_EQ(shownFields(entry.bytes), fieldsOfDecimal(entry.bytes, entry.decimal));
      EXPECT_TRUE(shown.empty());
    } else {
      EXPECT_EQ(shownFields(entry.bytes), before);  // the value kept, as it was
      ASSERT_EQ(shown.size(), entry.outcome == Outcome::Invalid ? 1u : 0u);
    }
    if (entry.outcome == Outcome::Invalid) {
      EXPECT_EQ(shown[0].text, "Invalid Value");
      EXPECT_EQ(shown[0].caption, "Error");
      EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
      EXPECT_EQ(shown[0].owner, nullptr);
    }
    EXPECT_EQ(text(X), entry.typed);  // the program never rewrites what is being typed
  }
}

TEST_F(XEntry, TypingCharacterByCharacterReadsFromTheThirdOn) {
  replaceText(X, "");
  type(X, "1");
  type(X, ".");
  EXPECT_EQ(text(T32), std::string(23, '0'));  // not read yet
  type(X, "5");
  EXPECT_EQ(text(S32), "0");
  EXPECT_EQ(text(E32), "01111111");
  EXPECT_EQ(text(T32), "1" + std::string(22, '0'));
  type(X, "e");  // "1.5e" is read, and is no number
  EXPECT_EQ(newMessages().size(), 1u);
  EXPECT_EQ(text(T32), "1" + std::string(22, '0'));
  type(X, "3");
  EXPECT_EQ(newMessages().size(), 0u);
  EXPECT_EQ(text(E32), "10001001");
  EXPECT_EQ(text(T32), "01110111000000000000000");
  EXPECT_EQ(appState().values.value32, 1500.0f);

  replaceText(X, "");
  type(X, "-5");
  EXPECT_EQ(text(T32), "01110111000000000000000");
  EXPECT_EQ(newMessages().size(), 0u);
}

TEST_F(XEntry, TheInvalidValueMessageIsEnglishInBothLanguages) {
  click(EN);
  replaceText(X, "xyz");
  click(RO);
  replaceText(X, "1e99");
  ASSERT_EQ(messages().size(), 2u);
  for (const SimMessageBox& box : messages()) {
    EXPECT_EQ(box.text, "Invalid Value");
    EXPECT_EQ(box.caption, "Error");
  }
}

struct Named {
  const char* typed;
  char sign;
  bool nan;
};

TEST_F(XEntry, NamedInfinitiesAndNaNsShowTheirEncodingWithoutTouchingX) {
  const Named names[] = {{"inf", '0', false}, {"-Inf", '1', false}, {"Infinity", '0', false},
                         {"+in", '0', false}, {"NaN", '0', true},   {"-nan", '1', true},
                         {"+Na", '0', true},  {"naN", '0', true},   {"-NaN", '1', true}};
  for (const int bytes : {4, 8, 16}) {
    const Format& f = formatOf(bytes);
    for (const Named& name : names) {
      SCOPED_TRACE(std::to_string(bytes) + " bytes, " + name.typed);
      selectFormat(bytes);
      replaceText(X, "2.5");
      const FormatValues before = appState().values;
      replaceText(X, name.typed);
      const Fields expected{std::string(1, name.sign), std::string(static_cast<std::size_t>(f.w), '1'),
                            std::string(static_cast<std::size_t>(f.t()), name.nan ? '1' : '0')};
      EXPECT_EQ(shownFields(bytes), expected);
      EXPECT_EQ(std::bit_cast<unsigned __int128>(appState().values.value128),
                std::bit_cast<unsigned __int128>(before.value128));
      EXPECT_EQ(appState().values.value64, before.value64);
      EXPECT_EQ(appState().values.value32, before.value32);
      EXPECT_FALSE(enabled(List));
      EXPECT_EQ(text(DataType), "");
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(XEntry, EveryChangeResetsTheViewsUntilABitBoxIsEntered) {
  focus(E32);
  selectItem(4);
  click(NeighbourBits);
  ASSERT_NE(text(Value), "");
  ASSERT_NE(text(Caption), "");
  ASSERT_NE(text(DataType), "");
  ASSERT_TRUE(enabled(List));

  replaceText(X, "7");  // too short to be read, but the views are reset all the same
  EXPECT_EQ(text(Value), "");
  EXPECT_EQ(text(Caption), "");
  EXPECT_EQ(text(DataType), "");
  EXPECT_FALSE(checked(NeighbourBits));
  EXPECT_FALSE(enabled(List));

  replaceText(X, "1e-40");
  EXPECT_EQ(text(DataType), "");
  EXPECT_FALSE(enabled(List));
  focus(T32);
  EXPECT_EQ(text(DataType), "Numar denormalizat");
  EXPECT_TRUE(enabled(List));
  EXPECT_EQ(text(X), "+9.9999461E-41");
}

}  // namespace
}  // namespace bitscope::test
