// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "mainwin/startup.h"

namespace bitscope::test {

void resetProgram() {
  simReset();
  DLGRELEASE(mainDialog());
  DLGRELEASE(summaryDialog());
  appState() = AppState{};
}

void MainWindowTest::SetUp() {
  resetProgram();
  simSetFailureHandler([](const std::string& what) { ADD_FAILURE() << "simulated window system: " << what; });
  ASSERT_TRUE(startUp(1));
  window = simFindWindow(101);
  ASSERT_NE(window, nullptr);
}

void MainWindowTest::TearDown() { resetProgram(); }

std::string MainWindowTest::text(int id) const {
  const SimControl* c = simControl(window, id);
  return c != nullptr ? c->text : "<no control " + std::to_string(id) + ">";
}

bool MainWindowTest::enabled(int id) const { return simControl(window, id)->enabled; }
bool MainWindowTest::checked(int id) const { return simControl(window, id)->checked; }

void MainWindowTest::click(int id) { EXPECT_TRUE(simClick(window, id)) << "click on " << id; }
void MainWindowTest::focus(int id) { EXPECT_TRUE(simFocus(window, id)) << "focus on " << id; }
void MainWindowTest::type(int id, std::string_view keys) {
  EXPECT_TRUE(simType(window, id, keys)) << "typing into " << id;
}

void MainWindowTest::replaceText(int id, std::string_view replacement) {
  EXPECT_TRUE(simSelectText(window, id, 0, static_cast<int>(text(id).size())));
  EXPECT_TRUE(simPaste(window, id, replacement)) << "paste into " << id;
}

void MainWindowTest::overwrite(int id, int from, int to, std::string_view keys) {
  EXPECT_TRUE(simSelectText(window, id, from, to));
  type(id, keys);
}

void MainWindowTest::selectItem(int item) { EXPECT_TRUE(simSelectListItem(window, List, item - 1)); }

void MainWindowTest::enterBits(std::string_view s, std::string_view e, std::string_view t) {
  const int format = appState().formatBytes;
  const int sign = format == 4 ? S32 : format == 8 ? S64 : S128;
  const int exponent = format == 4 ? E32 : format == 8 ? E64 : E128;
  replaceText(sign, s);
  replaceText(exponent, e);
  if (format == 16) {
    replaceText(T128a, t.substr(0, 48));
    replaceText(T128b, t.substr(48));
  } else {
    replaceText(format == 4 ? T32 : T64, t);
  }
}

std::vector<SimMessageBox> MainWindowTest::newMessages() {
  const auto& all = simMessageBoxes();
  std::vector<SimMessageBox> fresh(all.begin() + static_cast<std::ptrdiff_t>(seenMessages_), all.end());
  seenMessages_ = all.size();
  return fresh;
}

}  // namespace bitscope::test
