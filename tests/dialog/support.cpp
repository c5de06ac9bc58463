// SPDX-License-Identifier: MIT
#include "support.h"

#include "dialog/rcparse.h"

namespace bitscope::test {

std::vector<Call>& calls() {
  static std::vector<Call> recorded;
  return recorded;
}

std::function<void(DialogObject&, int, int)>& onCall() {
  static std::function<void(DialogObject&, int, int)> hook;
  return hook;
}

void record(DialogObject& dialog, int controlId, int eventKind) {
  calls().push_back(Call{dialog.templateId, controlId, eventKind});
  if (onCall()) onCall()(dialog, controlId, eventKind);
}

DialogModule moduleFrom(const std::string& script) {
  RcParseResult parsed = parseResourceScript(script);
  if (parsed.error) ADD_FAILURE() << "test script, " << describe(*parsed.error);
  return DialogModule{std::move(parsed.dialogs)};
}

namespace {
void failTest(const std::string& what) { ADD_FAILURE() << "simulated window system: " << what; }
}  // namespace

void DialogTest::SetUp() {
  simSetFailureHandler(failTest);
  simReset();
  calls().clear();
  onCall() = nullptr;
}

void DialogTest::TearDown() {
  onCall() = nullptr;
  simSetFailureHandler(failTest);  // a test's own handler may refer to its locals
  simReset();
}

std::string shown(LowWindow* window, int id) {
  const SimControl* control = simControl(window, id);
  return control != nullptr ? control->text : "<no control>";
}

}  // namespace bitscope::test
