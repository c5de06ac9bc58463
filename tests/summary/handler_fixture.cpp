// SPDX-License-Identifier: MIT
#include "handler_fixture.h"

#include "help/about.h"
#include "help/help_document.h"
#include "summary/summary.h"

namespace bitscope {

namespace testing {

void HandlerTest::SetUp() {
  simReset();
  simSetFailureHandler([](const std::string& what) { ADD_FAILURE() << "simulation: " << what; });
  switchLanguage(Language::Romanian);
  ASSERT_TRUE(DLGLOAD(mainTemplateId, mainDialog()));
  ASSERT_TRUE(DLGLOAD(summaryTemplateId, summaryDialog()));
  DLGSETCALLBACK(mainDialog(), aboutButton, showAbout);
  DLGSETCALLBACK(mainDialog(), helpButton, openHelpDocument);
  DLGSETCALLBACK(mainDialog(), summaryButton, showSummary);
  DLGSETCALLBACK(summaryDialog(), saveButton, saveSummary);
  buildSummaryTexts();
  applySummaryTexts();
  ASSERT_TRUE(DLGMODELESS(mainDialog(), 1));
}

void HandlerTest::TearDown() {
  simReset();
  DLGRELEASE(mainDialog());
  DLGRELEASE(summaryDialog());
}

void HandlerTest::switchLanguage(Language language) {
  AppState& state = appState();
  state.language = language;
  lowSetLanguage(language == Language::English ? "en" : "ro");
}

LowWindow* HandlerTest::mainWindow() const { return simFindWindow(mainTemplateId); }

LowWindow* HandlerTest::summaryWindow() { return simFindWindow(summaryTemplateId); }

LowWindow* HandlerTest::pressSummary() {
  EXPECT_TRUE(simClick(mainWindow(), summaryButton));
  return summaryWindow();
}

}  // namespace testing
}  // namespace bitscope
