// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "engine/decimal_text.h"

namespace bitscope {
namespace {

struct SpecialRow {
  const char* text;
  bool isNaN, isInfinite;
  char nanSign, infSign;  // infSign as it must stand after the call
};

// Rows run in order from one state: infSignChar survives a NaN, '1' came from "-Inf".
TEST(SpecialText, FirstThreeCharactersDecideExactly) {
  const SpecialRow rows[] = {
      {"-Inf", false, true, '1', '1'},     {"NaN", true, false, '0', '1'},
      {"-na", true, false, '1', '1'},      {"+Na", true, false, '0', '1'},
      {"Infinity", false, true, '0', '0'}, {"nan123", true, false, '0', '0'},
      {"info", false, true, '0', '0'},     {"-in", false, true, '1', '1'},
      {"naN", true, false, '0', '1'},      {"Nan", true, false, '0', '1'},
      {"NAN", false, false, '0', '0'},     {"INF", false, false, '0', '0'},
      {"+NAN", false, false, '0', '0'},    {" nan", false, false, '0', '0'},
      {"nAN", false, false, '0', '0'},     {"-5", false, false, '1', '1'},
      {"+In", false, true, '0', '0'},      {"", false, false, '0', '0'},
      {"-", false, false, '1', '1'},       {"-nan", true, false, '1', '1'},
  };
  SpecialText state;
  for (const SpecialRow& row : rows) {
    detectSpecialText(row.text, state);
    EXPECT_EQ(state, (SpecialText{row.isNaN, row.isInfinite, row.nanSign, row.infSign}))
        << '"' << row.text << "\" gives isNaN " << state.isNaN << " isInfinite " << state.isInfinite
        << " signs " << state.nanSignChar << state.infSignChar;
  }
}

TEST(SpecialText, SpecialEncodingsOfEachFormat) {
  SpecialText state;
  detectSpecialText("-nan", state);
  const BitFields nan32 = showSpecialEncoding(4, state);
  EXPECT_EQ(nan32, (BitFields{"1", "11111111", std::string(23, '1')}));
  detectSpecialText("Infinity", state);
  EXPECT_EQ(showSpecialEncoding(4, state), (BitFields{"0", "11111111", std::string(23, '0')}));
  detectSpecialText("inf", state);
  EXPECT_EQ(showSpecialEncoding(8, state), (BitFields{"0", std::string(11, '1'), std::string(52, '0')}));
  detectSpecialText("-NaN", state);
  const BitFields nan128 = showSpecialEncoding(16, state);
  EXPECT_EQ(nan128, (BitFields{"1", std::string(15, '1'), std::string(112, '1')}));
  EXPECT_EQ(showSpecialEncoding(2, state), BitFields{});
}

TEST(SpecialText, XTextIsFortyTwoCharacters) {
  EXPECT_EQ(makeXText("1.5"), "1.5" + std::string(39, ' '));
  EXPECT_EQ(makeXText(std::string(50, '7')), std::string(42, '7'));
}

}  // namespace
}  // namespace bitscope
