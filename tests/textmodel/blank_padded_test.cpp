// SPDX-License-Identifier: MIT
// Cutting and padding blank-padded texts: only ' ' is a blank, and a pad is
// exactly the length asked for.
#include <gtest/gtest.h>

#include "textmodel/blank_padded.h"

namespace bitscope {
namespace {

TEST(BlankPadded, BlanksAreCutFromTheAskedEndsOnly) {
  struct Row {
    std::string_view text, trailingCut, leadingCut, bothCut;
  };
  const Row rows[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"ab", "ab", "ab", "ab"},
      {"  a b  ", "  a b", "a b  ", "a b"},
      // Tabs, NULs and non-breaking blanks are characters of the text.
      {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
      {std::string_view(" a\0 ", 4), std::string_view(" a\0", 3), std::string_view("a\0 ", 3),
       std::string_view("a\0", 2)},
      {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(withoutTrailingBlanks(row.text), row.trailingCut) << '"' << row.text << '"';
    EXPECT_EQ(withoutLeadingBlanks(row.text), row.leadingCut) << '"' << row.text << '"';
    EXPECT_EQ(withoutOuterBlanks(row.text), row.bothCut) << '"' << row.text << '"';
  }
}

TEST(BlankPadded, PaddingGivesExactlyTheLengthAsked) {
  EXPECT_EQ(paddedTo("ab", 5), "ab   ");
  EXPECT_EQ(paddedTo("abcdef", 3), "abc");
  EXPECT_EQ(paddedTo("abc", 3), "abc");
  EXPECT_EQ(paddedTo("abc", 0), "");
  EXPECT_EQ(paddedTo("", 2), "  ");
  // Blanks already in the text are kept, not counted twice.
  EXPECT_EQ(paddedTo(" a ", 4), " a  ");
}

}  // namespace
}  // namespace bitscope
