// SPDX-License-Identifier: MIT
// Start-up, the first display, and the ends of a run.
#include <cfenv>
#include <cstdlib>
#include <limits>

#include "main_window.h"
#include "mainwin/startup.h"
#include "summary/summary.h"

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace bitscope::test {
namespace {

using FirstDisplay = MainWindowTest;

TEST_F(FirstDisplay, ChecksBinary32CurrentFieldAndRomanian) {
  for (const int id : {R32, CurrentField, RO}) EXPECT_TRUE(checked(id)) << id;
  for (const int id : {R64, R128, AllFields, EN, NeighbourBits}) EXPECT_FALSE(checked(id)) << id;
}

TEST_F(FirstDisplay, ShowsZeroInBinary32AndFieldNamesInBinary64) {
  const std::pair<int, std::string> boxes[] = {
      {X, "0"},
      {S32, "0"},
      {E32, std::string(8, '0')},
      {T32, std::string(23, '0')},
      {S64, "S"},
      {E64, "   Exponent"},
      {T64, std::string(25, ' ') + "Semnificand (Fractia)"},
      {S128, " "},
      {E128, std::string(15, ' ')},
      {T128a, std::string(48, ' ')},
      {T128b, std::string(64, ' ')},
      {Value, ""},
      {Caption, ""},
      {DataType, ""},
      {Caret, ""},
      {Width, ""},
  };
  for (const auto& [id, shown] : boxes) EXPECT_EQ(text(id), shown) << "control " << id;
}

TEST_F(FirstDisplay, EnablesOnlyTheBinary32BoxesAndDisablesTheList) {
  for (const int id : {S32, E32, T32, X}) EXPECT_TRUE(enabled(id)) << id;
  for (const int id : {S64, E64, T64, S128, E128, T128a, T128b, NeighbourBits, List, ListLabel})
    EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(FirstDisplay, ListsSevenParametersWithNoneSelected) {
  const SimControl* list = simControl(window, List);
  const char* names[] = {"Exponent", "Semnificand", "ULP", "X+ = Nearest(x,+1.0)", "X- = Nearest(x,-1.0)",
                         "Delta(X)", "X +Delta(X)"};
  ASSERT_EQ(list->items.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(list->items[i].substr(0, list->items[i].find_last_not_of(' ') + 1), names[i]);
    EXPECT_FALSE(list->selected[i]) << "item " << i + 1;
  }
}

TEST_F(FirstDisplay, PutsIconsOnTheWindowAndTheTwoIconButtons) {
  ASSERT_NE(window->icon, nullptr);
  EXPECT_EQ(window->icon->resourceId, 112);
  EXPECT_EQ(window->icon->pixels, lowSmallIconSize());
  const std::pair<int, int> buttons[] = {{1042, 110}, {1034, 109}};
  for (const auto& [id, icon] : buttons) {
    const SimControl* button = simControl(window, id);
    ASSERT_NE(button->icon, nullptr) << id;
    EXPECT_EQ(button->icon->resourceId, icon);
    EXPECT_EQ(button->icon->pixels, 32);
  }
}

TEST_F(FirstDisplay, LoadsTheSummaryWithRomanianTextsWithoutShowingIt) {
  EXPECT_EQ(simFindWindow(111), nullptr);
  std::string atStart[7];
  for (int i = 0; i < 7; ++i) {
    ASSERT_TRUE(DLGGETVALUE(summaryDialog(), 1047 + i, atStart[i], 180));
    EXPECT_NE(atStart[i].find_first_not_of(' '), std::string::npos) << 1047 + i;
  }
  EXPECT_NE(atStart[1].substr(0, 7), "Static2");
  // Not the template's texts, and not the English ones.
  EXPECT_NE(atStart[0].substr(0, 30), "Data representable in a floati");
  appState().language = Language::English;
  applySummaryTexts();
  std::string english;
  ASSERT_TRUE(DLGGETVALUE(summaryDialog(), 1047, english, 180));
  EXPECT_NE(english, atStart[0]);
}

// ---- The ends of a run ---------------------------------------------------------------

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgram();
    simSetFailureHandler(
        [](const std::string& what) { ADD_FAILURE() << "simulated window system: " << what; });
  }
  void TearDown() override { resetProgram(); }
};

struct Ending {
  const char* name;
  void (*act)();
};

TEST_F(Run, ExitEscapeAndTheCloseBoxEndTheLoopWithCodeZeroAndReleaseBothDialogs) {
  const Ending endings[] = {
      {"Exit", [] { simClick(simFindWindow(101), 30001); }},
      {"Esc", [] { simPressKey(simFindWindow(101), SimKey::Escape); }},
      {"close box", [] { simCloseWindow(simFindWindow(101)); }},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    resetProgram();
    // A user types a number first: the loop dispatches what it takes.
    simQueue([] { simType(simFindWindow(101), 1007, "2.5"); });
    simQueue(ending.act);
    bool ranAfterTheEnd = false;
    simQueue([&ranAfterTheEnd] { ranAfterTheEnd = true; });
    EXPECT_EQ(runBitscope(1), 0);
    EXPECT_EQ(simLoopEnd(), SimLoopEnd::Quit);
    EXPECT_FALSE(ranAfterTheEnd);
    EXPECT_EQ(simFindWindow(101), nullptr);
    EXPECT_FALSE(mainDialog().loaded);
    EXPECT_FALSE(summaryDialog().loaded);
    EXPECT_EQ(appState().values.value32, 2.5f);
  }
}

TEST_F(Run, EscapeIsRoutedThroughTheDialogKeyboardFilter) {
  simQueueKey(SimKey::Escape);
  EXPECT_EQ(runBitscope(1), 0);
  EXPECT_EQ(simLoopEnd(), SimLoopEnd::Quit);
  EXPECT_EQ(simUnroutedKeys(), 0);
}

TEST_F(Run, TheMainWindowIsShownWithTheShowModeItWasGiven) {
  ASSERT_TRUE(startUp(7));
  ASSERT_NE(simFindWindow(101), nullptr);
  EXPECT_EQ(simFindWindow(101)->showMode, 7);
  EXPECT_EQ(simFindWindow(101)->owner, nullptr);
}

// A run that never showed its window reports the failure, also to whoever started it.
TEST_F(Run, AMissingTemplateOrWindowGivesTheStartUpErrorAndAFailureStatus) {
  struct Case {
    const char* name;
    StartupTemplates templates;
    bool failWindow;
  };
  const Case cases[] = {
      {"main template missing", {999, 111}, false},
      {"summary template missing", {101, 998}, false},
      {"main window not created", {101, 111}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetProgram();
    if (c.failWindow) simFailNextWindowCreation();
    simQueueKey(SimKey::Escape);  // must never be taken: there is no loop
    EXPECT_EQ(runBitscope(1, c.templates), EXIT_FAILURE);
    ASSERT_EQ(simMessageBoxes().size(), 1u);
    const SimMessageBox& box = simMessageBoxes()[0];
    EXPECT_EQ(box.text, "Error initializing application Bitscope");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, MessageIcon::None);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(simLiveWindows().empty());
    EXPECT_EQ(simPendingSteps(), 1u);
  }
}

#if defined(__x86_64__)
TEST_F(Run, StartUpRestoresRoundToNearestAndGradualUnderflow) {
  const unsigned savedCsr = _mm_getcsr();
  const int savedRounding = std::fegetround();
  std::fesetround(FE_UPWARD);
  _mm_setcsr(savedCsr | 0x8040u);  // flush-to-zero and denormals-are-zero

  ASSERT_TRUE(startUp(1));
  const int rounding = std::fegetround();
  volatile float smallestNormal = std::numeric_limits<float>::min();
  volatile float half = smallestNormal / 2.0f;  // a subnormal result
  volatile float one = 1.0f, tiny = 0x1p-30f;
  volatile float sum = one + tiny;  // 1 when rounded to nearest, not up
  std::fesetround(savedRounding);
  _mm_setcsr(savedCsr);

  EXPECT_EQ(rounding, FE_TONEAREST);
  EXPECT_EQ(half * 2.0f, smallestNormal);
  EXPECT_EQ(sum, 1.0f);
}
#endif

}  // namespace
}  // namespace bitscope::test
