// SPDX-License-Identifier: MIT
// Running dialogs on the simulated window system: write-out and read-back,
// callbacks, closing paths, nested modal runs, routing and the message loop.
#include "support.h"

namespace bitscope::test {
namespace {

// A dialog with an edit box and no control with id 2.
const char* const noCancelScript = R"(
700 DIALOGEX 0, 0, 100, 50
STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "No cancel"
BEGIN
  CONTROL "OK", 1, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10
  CONTROL "", 20, "Edit", WS_TABSTOP, 0, 20, 50, 10
  CONTROL "", 21, "ListBox", LBS_NOTIFY | WS_TABSTOP, 0, 30, 50, 20
END
)";

class Running : public DialogTest {
 protected:
  DialogObject main, summary, about, inner, plain;
  DialogModule module = moduleFrom(noCancelScript);

  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(DLGLOAD(101, main));
    ASSERT_TRUE(DLGLOAD(111, summary));
    ASSERT_TRUE(DLGLOAD(103, about));
    ASSERT_TRUE(DLGLOAD(700, plain, module));
  }
  LowWindow* showMain() {
    EXPECT_TRUE(DLGMODELESS(main));
    return main.window;
  }
  // The program's message loop; returns why it ended.
  SimLoopEnd runLoop(bool route, int* quitCode = nullptr) {
    LowMessage message;
    while (lowGetMessage(message)) {
      if (route && DLGROUTEMESSAGE(message)) continue;
      lowTranslateMessage(message);
      lowDispatchMessage(message);
    }
    if (quitCode != nullptr) *quitCode = message.quitCode;
    return simLoopEnd();
  }
};

TEST_F(Running, NewWindowShowsTheTableAndValuesSetAtInit) {
  ASSERT_TRUE(DLGSETVALUE(main, 1007, "0"));
  ASSERT_TRUE(DLGSETVALUE(main, 1043, false));
  ASSERT_TRUE(DLGSETVALUE(main, 1043, false, PROP_ENABLED));
  ASSERT_TRUE(DLGSETVALUE(main, 1046, true));
  DLGSETCAPTION(main, "Bitscope (Format binar)   ");
  ASSERT_TRUE(DLGSETCALLBACK(main, 101, record));
  onCall() = [](DialogObject& d, int, int event) {
    if (event == EVT_INIT) DLGSETVALUE(d, 1036, "set at init");
  };
  LowWindow* window = showMain();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->title, "Bitscope (Format binar)");
  EXPECT_EQ(window->owner, nullptr);
  EXPECT_EQ(shown(window, 1007), "0");
  EXPECT_EQ(shown(window, 1036), "set at init");
  EXPECT_EQ(shown(window, 30001), "Exit");
  EXPECT_FALSE(simControl(window, 1043)->checked);
  EXPECT_FALSE(simControl(window, 1043)->enabled);
  EXPECT_TRUE(simControl(window, 1011)->checked);
  EXPECT_FALSE(simControl(window, 1045)->checked);
  EXPECT_TRUE(simControl(window, 1046)->checked);
  EXPECT_EQ(calls(), (std::vector<Call>{{101, 101, EVT_INIT}}));
  EXPECT_EQ(simActiveWindow(), window);
  for (const ControlRecord& r : main.controls) EXPECT_FALSE(r.changed) << r.id;
  DLGEXIT(main);
}

TEST_F(Running, ProgramWritesRaiseNoCallbackWhileTypingRaisesOnePerEdit) {
  ASSERT_TRUE(DLGSETCALLBACK(main, 1007, record));
  LowWindow* window = showMain();
  ASSERT_TRUE(DLGSETVALUE(main, 1007, "12"));
  EXPECT_EQ(shown(window, 1007), "12");  // written at once, outside any callback
  EXPECT_TRUE(calls().empty());
  ASSERT_TRUE(simSelectText(window, 1007, 2, 2));
  ASSERT_TRUE(simType(window, 1007, "34"));
  EXPECT_EQ(calls(), (std::vector<Call>{{101, 1007, EVT_CHANGE}, {101, 1007, EVT_CHANGE}}));
  ASSERT_TRUE(simPaste(window, 1007, "5"));
  EXPECT_EQ(calls().size(), 3u);
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(main, 1007, text, 6));
  EXPECT_EQ(text, "12345 ");
  // The window system does tell the program's own writes; only the layer drops them.
  calls().clear();
  lowSetText(window, 1007, "direct");
  EXPECT_EQ(calls(), (std::vector<Call>{{101, 1007, EVT_CHANGE}}));
  DLGEXIT(main);
}

TEST_F(Running, WritesFromOwnCallbacksWaitOthersShowAtOnce) {
  ASSERT_TRUE(DLGSETCALLBACK(main, 1007, record));
  LowWindow* window = showMain();
  ASSERT_TRUE(DLGMODELESS(summary));
  LowWindow* summaryWindow = summary.window;
  std::vector<std::string> seen;
  onCall() = [&](DialogObject& d, int, int) {
    DLGSETVALUE(d, 1036, "deferred");
    DLGSETVALUE(d, 1008, "refreshed");
    seen.push_back(shown(window, 1036));
    DLGSETVALUE(summary, 1048, "at once");
    seen.push_back(shown(summaryWindow, 1048));
    DLGREFRESH(d, false);
    seen.push_back(shown(window, 1008));
    DLGSETVALUE(d, 1036, "after refresh");
    seen.push_back(shown(window, 1036));
  };
  ASSERT_TRUE(simType(window, 1007, "7"));
  EXPECT_EQ(seen, (std::vector<std::string>{"", "at once", "refreshed", "deferred"}));
  EXPECT_EQ(shown(window, 1036), "after refresh");  // written when the callback returned
  DLGEXIT(summary);
  DLGEXIT(main);
}

TEST_F(Running, ValueOperationsSeeWhatTheUserDid) {
  ASSERT_TRUE(DLGSETVALUE(main, 1044, "Exponent", PROP_ADDITEM));
  ASSERT_TRUE(DLGSETVALUE(main, 1044, "ULP", PROP_ADDITEM));
  LowWindow* window = showMain();
  ASSERT_TRUE(simType(window, 1007, "abc"));
  // Setting one property keeps the user's text.
  ASSERT_TRUE(DLGSETVALUE(main, 1007, 1, PROP_POSITION));
  EXPECT_EQ(shown(window, 1007), "abc");
  EXPECT_EQ(simControl(window, 1007)->selectionEnd, 1);
  int number = 0;
  ASSERT_TRUE(DLGGETVALUE(main, 1007, number));
  EXPECT_EQ(number, 3);
  bool flag = false;
  ASSERT_TRUE(simClick(window, 1043));  // checked at load: the click clears it
  ASSERT_TRUE(DLGGETVALUE(main, 1043, flag));
  EXPECT_FALSE(flag);
  ASSERT_TRUE(simClick(window, 1013));
  ASSERT_TRUE(DLGGETVALUE(main, 1011, flag));
  EXPECT_FALSE(flag);
  ASSERT_TRUE(DLGGETVALUE(main, 1013, flag));
  EXPECT_TRUE(flag);
  ASSERT_TRUE(simSelectListItem(window, 1044, 1));
  ASSERT_TRUE(DLGGETVALUE(main, 1044, number, 1));
  EXPECT_EQ(number, 2);
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(main, 1044, text, 4, PROP_STATE));
  EXPECT_EQ(text, "ULP ");
  // The program's selection reaches the window.
  ASSERT_TRUE(DLGSETVALUE(main, 1044, 1, 1));
  EXPECT_EQ(simControl(window, 1044)->selected, (std::vector<bool>{true, false}));
  ASSERT_TRUE(DLGSETVALUE(main, 1044, 0, 1));
  EXPECT_EQ(simControl(window, 1044)->selected, (std::vector<bool>{false, false}));
  DLGEXIT(main);
}

// The label after a duplicate would otherwise be overwritten by the duplicate's write-out.
TEST_F(Running, DuplicateRecordsAreNeverWrittenOut) {
  LowWindow* window = showMain();
  ASSERT_TRUE(DLGSETVALUE(main, -1, "live"));
  DLGREFRESH(main, true);
  EXPECT_EQ(shown(window, -1), "live");
  DLGEXIT(main);
}

struct CloseRow {
  const char* what;
  std::function<void()> step;
  int result;
};

TEST_F(Running, PushButtonsWithoutRoutinesCloseTheModalBoxWithTheirIds) {
  const CloseRow rows[] = {
      {"OK", [] { simClick(simFindWindow(103), 1); }, 1},
      {"Esc", [] { simQueueKey(SimKey::Escape); }, 2},
      {"Enter", [] { simQueueKey(SimKey::Enter); }, 1},
      {"close box", [] { simCloseWindow(simFindWindow(103)); }, 2},
  };
  for (const CloseRow& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(DLGLOAD(103, about));
    simQueue(row.step);
    EXPECT_EQ(DLGMODAL(about), row.result);
    EXPECT_EQ(about.window, nullptr);
    EXPECT_EQ(simFindWindow(103), nullptr);
    EXPECT_EQ(simPendingSteps(), 0u);
    DLGRELEASE(about);
  }
}

TEST_F(Running, ModalResultIsTheDialogsOwn) {
  ASSERT_TRUE(DLGSETCALLBACK(about, 1, record));
  onCall() = [](DialogObject& d, int, int) {
    DLGSETRESULT(d, 42);
    DLGEXIT(d);
  };
  simQueue([] { simClick(simFindWindow(103), 1); });
  EXPECT_EQ(DLGMODAL(about), 42);
  // A result set earlier is replaced by the closing button's id.
  ASSERT_TRUE(DLGSETCALLBACK(about, 1, record));
  onCall() = [](DialogObject& d, int, int) { DLGSETRESULT(d, 7); };
  simQueue([] { simClick(simFindWindow(103), 1); });
  simQueue([] { simCloseWindow(simFindWindow(103)); });
  EXPECT_EQ(DLGMODAL(about), 2);
}

TEST_F(Running, CancelWithoutControlTwoClosesOnlyWhenNotFromAControl) {
  ASSERT_TRUE(DLGMODELESS(plain));
  LowWindow* window = plain.window;
  simSendCommand(window, 2, LowNotify::Clicked, true);
  EXPECT_EQ(plain.window, window);
  EXPECT_FALSE(window->destroyed);
  ASSERT_TRUE(simPressKey(window, SimKey::Escape));
  EXPECT_TRUE(window->destroyed);
  EXPECT_EQ(plain.window, nullptr);
  EXPECT_EQ(plain.result, 2);

  plain.result = 1;
  simQueueKey(SimKey::Escape);
  EXPECT_EQ(DLGMODAL(plain), 2);
}

TEST_F(Running, DisabledCancelButtonBlocksEscAndTheCloseBox) {
  ASSERT_TRUE(DLGSETVALUE(about, 2, false, PROP_ENABLED));
  simQueue([] {
    LowWindow* window = simFindWindow(103);
    EXPECT_FALSE(window->closeItemEnabled);
    EXPECT_FALSE(simCloseWindow(window));
    simPressKey(window, SimKey::Escape);
    EXPECT_FALSE(window->destroyed || window->modalEnded);
  });
  simQueue([] { simClick(simFindWindow(103), 1); });
  EXPECT_EQ(DLGMODAL(about), 1);
}

void postQuitOnDestroy(DialogObject&, int, int event) {
  if (event == EVT_DESTROY) lowPostQuitMessage(0);
}

TEST_F(Running, EscInTheMainWindowEndsTheProgramThroughTheHiddenCancel) {
  ASSERT_TRUE(DLGSETCALLBACK(main, 101, postQuitOnDestroy));
  LowWindow* window = showMain();
  simQueueKey(SimKey::Escape);
  simQueue([] { ADD_FAILURE() << "the loop went on after the quit message"; });
  int quitCode = -1;
  EXPECT_EQ(runLoop(true, &quitCode), SimLoopEnd::Quit);
  EXPECT_EQ(quitCode, 0);
  EXPECT_TRUE(window->destroyed);
  EXPECT_EQ(main.window, nullptr);
  EXPECT_EQ(main.result, 2);
}

TEST_F(Running, KeysReachTheDialogOnlyThroughRouting) {
  LowWindow* window = showMain();
  simQueueKey(SimKey::Escape);
  EXPECT_EQ(runLoop(false), SimLoopEnd::ScriptExhausted);
  EXPECT_FALSE(window->destroyed);
  EXPECT_EQ(simUnroutedKeys(), 1);
  ASSERT_TRUE(simClick(window, 30001));  // "Exit"
  EXPECT_TRUE(window->destroyed);
  EXPECT_EQ(main.result, 30001);
}

TEST_F(Running, RoutingNeedsAnActiveModelessDialog) {
  LowMessage message;
  simQueueKey(SimKey::Tab);
  ASSERT_TRUE(lowGetMessage(message));
  EXPECT_FALSE(DLGROUTEMESSAGE(message));
  LowWindow* window = showMain();
  simQueueKey(SimKey::Tab);
  ASSERT_TRUE(lowGetMessage(message));
  EXPECT_TRUE(DLGROUTEMESSAGE(message));
  // A queued click is the dispatcher's, not the keyboard filter's.
  simQueue([] {});
  ASSERT_TRUE(lowGetMessage(message));
  EXPECT_FALSE(DLGROUTEMESSAGE(message));
  DLGEXIT(main);
  EXPECT_TRUE(window->destroyed);
  simQueueKey(SimKey::Tab);
  ASSERT_TRUE(lowGetMessage(message));
  EXPECT_FALSE(DLGROUTEMESSAGE(message));
}

TEST_F(Running, ModalOpenedFromAModelessCallbackIsOwnedAndNested) {
  ASSERT_TRUE(DLGSETCALLBACK(main, 1041, record));
  ASSERT_TRUE(DLGSETCALLBACK(about, 1, record));
  LowWindow* window = showMain();
  std::vector<std::string> seen;
  int modalResult = 0;
  onCall() = [&](DialogObject& d, int id, int) {
    if (d.templateId == 101 && id == 1041) {
      modalResult = DLGMODAL(about);
      // Back in the main window's own callback: its writes wait again.
      DLGSETVALUE(main, 1036, "after");
      seen.push_back(shown(window, 1036));
    } else if (d.templateId == 103 && id == 1) {
      DLGSETVALUE(main, 1036, "from the box");  // another dialog: shown at once
      seen.push_back(shown(window, 1036));
      DLGSETVALUE(about, 1022, "own");  // its own: waits
      seen.push_back(shown(simFindWindow(103), 1022));
      DLGEXIT(about);
    }
  };
  simQueue([&] {
    LowWindow* box = simFindWindow(103);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->owner, window);
    EXPECT_FALSE(window->enabled);
    EXPECT_FALSE(simClick(window, 1029));  // the owner takes no input meanwhile
    LowMessage none;
    EXPECT_FALSE(DLGROUTEMESSAGE(none));  // no modeless dialog is active meanwhile
  });
  simQueue([] { simClick(simFindWindow(103), 1); });
  ASSERT_TRUE(simClick(window, 1041));
  EXPECT_EQ(modalResult, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "from the box", "BITSCOPE\n\nRepresentation of Floating Point Data in a Binary Format",
                      "from the box"}));
  EXPECT_EQ(shown(window, 1036), "after");
  EXPECT_TRUE(window->enabled);
  EXPECT_EQ(simActiveWindow(), window);
  simQueueKey(SimKey::Tab);
  LowMessage message;
  ASSERT_TRUE(lowGetMessage(message));
  EXPECT_TRUE(DLGROUTEMESSAGE(message));  // the main window is the active modeless dialog again
  DLGEXIT(main);
}

TEST_F(Running, ModalInsideAModalIsOwnedByTheOuterModal) {
  ASSERT_TRUE(DLGLOAD(103, inner));
  ASSERT_TRUE(DLGSETCALLBACK(about, 1, record));
  LowWindow* outerWindow = nullptr;
  LowWindow* innerOwner = nullptr;
  onCall() = [&](DialogObject& d, int, int) {
    if (&d != &about) return;
    outerWindow = about.window;
    simQueue([&] {
      innerOwner = simFindWindow(103)->owner;
      simQueueKey(SimKey::Escape);
    });
    EXPECT_EQ(DLGMODAL(inner), 2);
  };
  simQueue([] { simClick(simFindWindow(103), 1); });
  simQueue([] { simQueueKey(SimKey::Escape); });
  EXPECT_EQ(DLGMODAL(about), 2);
  EXPECT_NE(outerWindow, nullptr);
  EXPECT_EQ(innerOwner, outerWindow);
}

TEST_F(Running, SummaryShownFromAMainCallbackIsOwnedByTheMainWindow) {
  ASSERT_TRUE(DLGSETCALLBACK(main, 1034, record));
  onCall() = [&](DialogObject&, int, int) { DLGMODELESS(summary); };
  LowWindow* window = showMain();
  ASSERT_TRUE(simClick(window, 1034));
  ASSERT_NE(summary.window, nullptr);
  EXPECT_EQ(summary.window->owner, window);
  EXPECT_EQ(simActiveWindow(), summary.window);
  // Enter goes to the active dialog: the summary's default button closes it.
  simQueueKey(SimKey::Enter);
  EXPECT_EQ(runLoop(true), SimLoopEnd::ScriptExhausted);
  EXPECT_EQ(summary.window, nullptr);
  EXPECT_EQ(summary.result, 1);
  EXPECT_EQ(simActiveWindow(), window);
  // Closing the main window takes an open summary with it.
  ASSERT_TRUE(DLGMODELESS(summary, 1, window));
  LowWindow* summaryWindow = summary.window;
  DLGEXIT(main);
  EXPECT_TRUE(summaryWindow->destroyed);
  EXPECT_EQ(summary.window, nullptr);
}

TEST_F(Running, SecondModelessWindowOfTheSameObject) {
  ASSERT_TRUE(DLGSETCALLBACK(summary, 1041, record));
  ASSERT_TRUE(DLGMODELESS(summary));
  LowWindow* older = summary.window;
  ASSERT_TRUE(DLGMODELESS(summary));
  LowWindow* newer = summary.window;
  ASSERT_NE(older, newer);
  ASSERT_TRUE(DLGSETVALUE(summary, 1048, "paragraph two"));
  EXPECT_EQ(shown(newer, 1048), "paragraph two");
  EXPECT_EQ(shown(older, 1048), "Static2");
  // The older window still reaches the object's callbacks.
  ASSERT_TRUE(simClick(older, 1041));
  EXPECT_EQ(calls(), (std::vector<Call>{{111, 1041, EVT_CLICKED}}));
  // Its OK closes it, not the newer one, which stays the object's window.
  ASSERT_TRUE(simClick(older, 1));
  EXPECT_TRUE(older->destroyed);
  EXPECT_FALSE(newer->destroyed);
  EXPECT_EQ(summary.window, newer);
  ASSERT_TRUE(DLGSETVALUE(summary, 1049, "paragraph three"));
  EXPECT_EQ(shown(newer, 1049), "paragraph three");
  ASSERT_TRUE(simClick(newer, 1));
  EXPECT_TRUE(newer->destroyed);
  EXPECT_EQ(summary.window, nullptr);
}

TEST_F(Running, ValuesOutliveTheWindow) {
  // Modeless, closed by its OK button.
  ASSERT_TRUE(DLGMODELESS(plain));
  ASSERT_TRUE(simType(plain.window, 20, "typed"));
  ASSERT_TRUE(simClick(plain.window, 1));
  std::string text;
  ASSERT_TRUE(DLGGETVALUE(plain, 20, text, 5));
  EXPECT_EQ(text, "typed");
  // Shown again, the window holds what the dialog held.
  ASSERT_TRUE(DLGMODELESS(plain));
  EXPECT_EQ(shown(plain.window, 20), "typed");
  DLGEXIT(plain);
  // Modal, closed through the layer; a value set at destruction stays in the table.
  ASSERT_TRUE(DLGSETCALLBACK(plain, 700, record));
  onCall() = [](DialogObject& d, int, int event) {
    if (event == EVT_DESTROY) DLGSETVALUE(d, 21, "added at destroy", PROP_ADDITEM);
  };
  simQueue([] { simPaste(simFindWindow(700), 20, " more"); });
  simQueue([] { simQueueKey(SimKey::Enter); });
  EXPECT_EQ(DLGMODAL(plain), 1);
  ASSERT_TRUE(DLGGETVALUE(plain, 20, text, 10));
  EXPECT_EQ(text, "typed more");
  ASSERT_TRUE(DLGGETVALUE(plain, 21, text, 16, 1));
  EXPECT_EQ(text, "added at destroy");
}

TEST_F(Running, WindowsThatCannotBeMade) {
  simFailNextWindowCreation();
  EXPECT_EQ(DLGMODAL(about), -1);
  simFailNextWindowCreation();
  EXPECT_FALSE(DLGMODELESS(summary));
  EXPECT_EQ(summary.window, nullptr);
  EXPECT_TRUE(simLiveWindows().empty());
  // Nothing is left behind: the next attempt works.
  simQueueKey(SimKey::Escape);
  EXPECT_EQ(DLGMODAL(about), 2);
}

TEST_F(Running, TabVisitsEnabledVisibleTabStopsInTemplateOrder) {
  for (int id : {1014, 1015, 1016, 1018, 1032, 1033, 1035})
    ASSERT_TRUE(DLGSETVALUE(main, id, false, PROP_ENABLED));
  ASSERT_TRUE(DLGSETCALLBACK(main, 1026, record, EVT_GAINFOCUS));
  ASSERT_TRUE(DLGSETVALUE(main, 1026, "0"));
  LowWindow* window = showMain();
  auto focused = [window] { return window->controls[static_cast<std::size_t>(window->focus)].id; };
  EXPECT_EQ(focused(), 30001);
  std::vector<int> visited;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(simPressKey(window, SimKey::Tab));
    visited.push_back(focused());
  }
  // The hidden cancel button and the disabled boxes are passed over.
  EXPECT_EQ(visited, (std::vector<int>{1007, 1011, 1026, 1027}));
  EXPECT_EQ(calls(), (std::vector<Call>{{101, 1026, EVT_GAINFOCUS}}));
  ASSERT_TRUE(simPressKey(window, SimKey::ShiftTab));
  EXPECT_EQ(focused(), 1026);
  EXPECT_EQ(simControl(window, 1026)->selectionEnd, 1);  // tabbing in selects the text
  DLGEXIT(main);
}

}  // namespace
}  // namespace bitscope::test
