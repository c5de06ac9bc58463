// SPDX-License-Identifier: MIT
// A main window and a summary dialog wired to the summary, About and help
// handlers, on the simulated window system, for tests that act as a user.
#pragma once

#include <gtest/gtest.h>

#include "state/appstate.h"
#include "tests/sim/dlglow_sim.h"

namespace bitscope::testing {

constexpr int mainTemplateId = 101;
constexpr int summaryTemplateId = 111;
constexpr int aboutTemplateId = 103;
constexpr int summaryButton = 1034;  // main window
constexpr int aboutButton = 1041;    // main window
constexpr int helpButton = 1042;     // main window
constexpr int saveButton = 1041;     // summary dialog

class HandlerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // What the language radios do to the state the handlers read.
  static void switchLanguage(Language language);

  LowWindow* mainWindow() const;
  // The newest summary window; null when none is open.
  static LowWindow* summaryWindow();
  // Presses the summary button and returns the window it opened.
  LowWindow* pressSummary();
};

}  // namespace bitscope::testing
