// SPDX-License-Identifier: MIT
// The summary window: its paragraphs in the language of each press, its owner,
// and a second window when the button is pressed while one is open.
#include <string>
#include <vector>

#include "golden_summary.h"
#include "handler_fixture.h"
#include "summary/summary.h"

namespace bitscope::testing {
namespace {

std::vector<std::string> shownParagraphs(LowWindow* window) {
  std::vector<std::string> texts;
  for (int id : summaryIds) texts.push_back(simControl(window, id)->text);
  return texts;
}

using SummaryDialogTest = HandlerTest;

TEST_F(SummaryDialogTest, FirstPressShowsTheRomanianSummaryModelessOverTheMainWindow) {
  EXPECT_EQ(summaryWindow(), nullptr) << "loaded at start-up but not shown";
  LowWindow* window = pressSummary();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->visible);
  EXPECT_FALSE(window->modal);
  EXPECT_EQ(window->owner, mainWindow());
  EXPECT_TRUE(mainWindow()->enabled) << "the main window stays usable";
  EXPECT_EQ(shownParagraphs(window), expectedDialogParagraphs(Language::Romanian));
}

TEST_F(SummaryDialogTest, ClosedAndPressedAgainAfterASwitchShowsEnglish) {
  LowWindow* first = pressSummary();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(simClick(first, 1));  // "OK"
  EXPECT_EQ(summaryWindow(), nullptr);

  switchLanguage(Language::English);
  LowWindow* second = pressSummary();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(shownParagraphs(second), expectedDialogParagraphs(Language::English));
}

TEST_F(SummaryDialogTest, SecondPressWhileOpenRewritesTheOpenWindowAndOpensAnother) {
  LowWindow* first = pressSummary();
  ASSERT_NE(first, nullptr);
  switchLanguage(Language::English);
  EXPECT_EQ(shownParagraphs(first), expectedDialogParagraphs(Language::Romanian))
      << "a switch alone leaves an open summary alone";

  LowWindow* second = pressSummary();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_FALSE(first->destroyed);
  EXPECT_EQ(summaryDialog().window, second);
  EXPECT_EQ(shownParagraphs(first), expectedDialogParagraphs(Language::English));
  EXPECT_EQ(shownParagraphs(second), expectedDialogParagraphs(Language::English));
}

}  // namespace
}  // namespace bitscope::testing
