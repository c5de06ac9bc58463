// SPDX-License-Identifier: MIT
// The simulated window system's own rules, which the other tests rely on.
#include <filesystem>
#include <vector>

#include "support.h"

namespace bitscope::test {
namespace {

const char* const controlsScript = R"(
720 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "OK", 1, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "a", 10, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "b", 11, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
  CONTROL "c", 12, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 0, 0, 1, 1
  CONTROL "", 20, "Edit", ES_NUMBER | WS_GROUP | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "", 21, "Edit", ES_READONLY | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "", 22, "Edit", WS_TABSTOP, 0, 0, 1, 1
  CONTROL "", 30, "ListBox", WS_TABSTOP, 0, 0, 1, 1
END
)";

class Sim : public DialogTest {
 protected:
  DialogModule module = moduleFrom(controlsScript);
  DialogObject dialog, other;
  LowWindow* window = nullptr;

  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(DLGLOAD(720, dialog, module));
    ASSERT_TRUE(DLGLOAD(720, other, module));
    for (int id : {20, 21, 22}) ASSERT_TRUE(DLGSETCALLBACK(dialog, id, record));
    ASSERT_TRUE(DLGSETCALLBACK(dialog, 22, record, EVT_LOSEFOCUS));
    ASSERT_TRUE(DLGSETCALLBACK(dialog, 22, record, EVT_GAINFOCUS));
    ASSERT_TRUE(DLGSETCALLBACK(dialog, 30, record));
    ASSERT_TRUE(DLGSETVALUE(dialog, 30, "x", PROP_ADDITEM));
    ASSERT_TRUE(DLGMODELESS(dialog));
    window = dialog.window;
  }
  void TearDown() override {
    DLGEXIT(other);
    DLGEXIT(dialog);
    DialogTest::TearDown();
  }
};

TEST_F(Sim, AutomaticRadioButtonsAreExclusiveWithinTheirTemplateGroup) {
  ASSERT_TRUE(simClick(window, 12));
  ASSERT_TRUE(simClick(window, 11));
  // 12 opens a group of its own (WS_GROUP), so 11 does not clear it.
  EXPECT_FALSE(simControl(window, 10)->checked);
  EXPECT_TRUE(simControl(window, 11)->checked);
  EXPECT_TRUE(simControl(window, 12)->checked);
  ASSERT_TRUE(simClick(window, 10));
  EXPECT_FALSE(simControl(window, 11)->checked);
}

TEST_F(Sim, EditBoxesFilterTypingAsTheirStylesSay) {
  ASSERT_TRUE(simType(window, 20, "1a2"));
  EXPECT_EQ(shown(window, 20), "12");
  EXPECT_EQ(calls().size(), 2u);  // one change per accepted character
  ASSERT_TRUE(simPaste(window, 20, "x9"));
  EXPECT_EQ(shown(window, 20), "12x9");
  EXPECT_FALSE(simType(window, 21, "1"));
  EXPECT_EQ(shown(window, 21), "");
  ASSERT_TRUE(simSelectText(window, 20, 1, 3));
  ASSERT_TRUE(simPressKey(window, SimKey::Backspace));
  EXPECT_EQ(shown(window, 20), "19");
  ASSERT_TRUE(simPressKey(window, SimKey::Delete));
  EXPECT_EQ(shown(window, 20), "1");
  ASSERT_TRUE(simPressKey(window, SimKey::Delete));  // nothing after the caret: no change, no notice
  EXPECT_EQ(calls().size(), 5u);
}

// As the Qt binding's test of the same name: the two bindings agree.
TEST_F(Sim, TextLimitRefusesKeystrokesAndCutsPastesToFit) {
  ASSERT_TRUE(simPaste(window, 22, "0123456"));
  calls().clear();
  lowSetTextLimit(window, 22, 5);
  EXPECT_EQ(shown(window, 22), "01234");  // the text there is cut too, with a notice
  EXPECT_EQ(calls().size(), 1u);

  ASSERT_TRUE(simSelectText(window, 22, 0, 5));
  ASSERT_TRUE(simPaste(window, 22, "12"));
  calls().clear();
  ASSERT_TRUE(simType(window, 22, "3456"));
  EXPECT_EQ(shown(window, 22), "12345");
  EXPECT_EQ(calls().size(), 3u);  // the fourth key changed nothing

  calls().clear();
  ASSERT_TRUE(simSelectText(window, 22, 1, 4));  // "234"
  ASSERT_TRUE(simPaste(window, 22, "abcdef"));
  EXPECT_EQ(shown(window, 22), "1abc5");
  EXPECT_EQ(calls().size(), 1u);

  lowSetText(window, 22, "0123456789");
  EXPECT_EQ(shown(window, 22), "01234");
}

TEST_F(Sim, FocusNoticesFollowActivation) {
  ASSERT_TRUE(simFocus(window, 22));
  ASSERT_TRUE(DLGMODELESS(other));
  ASSERT_TRUE(simActivate(window));
  EXPECT_EQ(calls(), (std::vector<Call>{
                         {720, 22, EVT_GAINFOCUS}, {720, 22, EVT_LOSEFOCUS}, {720, 22, EVT_GAINFOCUS}}));
}

TEST_F(Sim, ListWithoutNotifyStyleTellsNothing) {
  ASSERT_TRUE(simSelectListItem(window, 30, 0));
  EXPECT_TRUE(calls().empty());
  EXPECT_TRUE(simControl(window, 30)->selected[0]);
  EXPECT_FALSE(simSelectListItem(window, 30, 1));
}

TEST_F(Sim, HiddenOrDisabledControlsTakeNoInput) {
  ASSERT_TRUE(DLGSETVALUE(dialog, 22, false, PROP_ENABLED));
  EXPECT_FALSE(simType(window, 22, "x"));
  EXPECT_FALSE(simClick(window, 999));
  EXPECT_TRUE(calls().empty());
}

TEST_F(Sim, ScriptFaultsAreReportedNotHung) {
  std::vector<std::string> faults;
  simSetFailureHandler([&](const std::string& what) { faults.push_back(what); });
  EXPECT_EQ(DLGMODAL(other), 1);  // nothing queued: the loop gives up
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_NE(faults[0].find("ran dry"), std::string::npos);
  EXPECT_EQ(other.window, nullptr);
  EXPECT_TRUE(lowSearchPath("VAZ&I-en.pdf").empty());
  EXPECT_EQ(faults.size(), 2u);
}

TEST_F(Sim, MessageLoopEndsByQuitOrByTheEndOfTheScript) {
  LowMessage message;
  EXPECT_FALSE(lowGetMessage(message));
  EXPECT_EQ(simLoopEnd(), SimLoopEnd::ScriptExhausted);
  lowPostQuitMessage(3);
  simQueue([] {});
  EXPECT_FALSE(lowGetMessage(message));
  EXPECT_EQ(simLoopEnd(), SimLoopEnd::Quit);
  EXPECT_EQ(message.quitCode, 3);
  EXPECT_TRUE(lowGetMessage(message));  // the quit message comes once
}

TEST_F(Sim, PlatformServicesAreRecordedAndAnswered) {
  lowMessageBox("text", "Error", MessageIcon::Warning, window);
  ASSERT_EQ(simMessageBoxes().size(), 1u);
  EXPECT_EQ(simMessageBoxes()[0].caption, "Error");
  EXPECT_EQ(simMessageBoxes()[0].owner, window);
  simAnswerSearchPath("/docs/VAZ&I-ro.pdf");
  EXPECT_EQ(lowSearchPath("VAZ&I-ro.pdf"), "/docs/VAZ&I-ro.pdf");
  simAnswerOpenDocument(OpenResult::NoAssociation);
  std::vector<OpenResult> outcomes;
  lowOpenDocument("/docs/VAZ&I-ro.pdf", [&](OpenResult result) { outcomes.push_back(result); });
  EXPECT_EQ(outcomes, std::vector<OpenResult>{OpenResult::NoAssociation});
  EXPECT_EQ(simOpenedDocuments(), (std::vector<std::string>{"/docs/VAZ&I-ro.pdf"}));
  simAnswerFileChooser(std::nullopt);
  simAnswerFileChooser("/tmp/summary.txt");
  std::filesystem::path path = "unchanged";
  FileChooserRequest request;
  request.promptCreate = request.promptOverwrite = false;  // no question to answer
  EXPECT_FALSE(lowChooseFile(request, path));
  EXPECT_EQ(path, "unchanged");
  EXPECT_TRUE(lowChooseFile(request, path));
  EXPECT_EQ(path, "/tmp/summary.txt");
  EXPECT_EQ(simFileChooserRequests().size(), 2u);
  simSetCurrentDirectory("/home/user");
  EXPECT_EQ(lowCurrentDirectory(), "/home/user");
  EXPECT_NE(lowLoadIcon(109, 32), nullptr);
  EXPECT_EQ(lowLoadIcon(5, 32), nullptr);
}

const char* const keysScript = R"(
730 DIALOGEX 0, 0, 100, 100
BEGIN
  CONTROL "", 20, "Edit", WS_TABSTOP, 0, 0, 1, 1
  CONTROL "a", 10, "Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 0, 1, 1
  CONTROL "b", 11, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
  CONTROL "c", 12, "Button", BS_AUTORADIOBUTTON, 0, 0, 1, 1
  CONTROL "", 30, "ListBox", LBS_NOTIFY | WS_GROUP | WS_TABSTOP, 0, 0, 1, 1
END
)";

int focusedId(LowWindow* window) {
  return window->focus < 0 ? 0 : window->controls[static_cast<std::size_t>(window->focus)].id;
}

class SimKeys : public DialogTest {};

// A radio group is one tab stop at its checked radio; the arrows move the check
// round the group, move an edit box's caret and a list box's selection.
TEST_F(SimKeys, ArrowsMoveWithinARadioGroupTheCaretAndTheList) {
  const DialogModule module = moduleFrom(keysScript);
  DialogObject dialog;
  ASSERT_TRUE(DLGLOAD(730, dialog, module));
  for (int id : {10, 11, 12, 30}) ASSERT_TRUE(DLGSETCALLBACK(dialog, id, record));
  for (const char* item : {"x", "y"}) DLGSETVALUE(dialog, 30, item, PROP_ADDITEM);
  DLGSETVALUE(dialog, 20, "0101");
  ASSERT_TRUE(DLGMODELESS(dialog));
  LowWindow* window = dialog.window;
  simFocus(window, 20);

  simPressKey(window, SimKey::Tab);
  EXPECT_EQ(focusedId(window), 10);
  simPressKey(window, SimKey::Down);
  EXPECT_EQ(focusedId(window), 11);
  EXPECT_TRUE(simControl(window, 11)->checked);
  EXPECT_FALSE(simControl(window, 10)->checked);
  simPressKey(window, SimKey::Up);
  simPressKey(window, SimKey::Left);  // round the top
  EXPECT_EQ(focusedId(window), 12);
  EXPECT_EQ(calls(),
            (std::vector<Call>{{730, 11, EVT_CLICKED}, {730, 10, EVT_CLICKED}, {730, 12, EVT_CLICKED}}));
  simPressKey(window, SimKey::ShiftTab);
  EXPECT_EQ(focusedId(window), 20);
  simPressKey(window, SimKey::Tab);
  EXPECT_EQ(focusedId(window), 12);  // the checked radio, not the group's first

  simPressKey(window, SimKey::Tab);
  EXPECT_EQ(focusedId(window), 30);
  calls().clear();
  simPressKey(window, SimKey::Down);
  simPressKey(window, SimKey::Down);
  simPressKey(window, SimKey::Down);  // already on the last item
  EXPECT_TRUE(simControl(window, 30)->selected[1]);
  EXPECT_EQ(calls(), (std::vector<Call>{{730, 30, EVT_SELCHANGE}, {730, 30, EVT_SELCHANGE}}));

  simSelectText(window, 20, 0, 0);
  simPressKey(window, SimKey::Left);  // already at the start
  simPressKey(window, SimKey::Right);
  simPressKey(window, SimKey::Right);
  EXPECT_EQ(lowGetSelectionEnd(window, 20), 2);
  DLGEXIT(dialog);
}

}  // namespace
}  // namespace bitscope::test
