// SPDX-License-Identifier: MIT
// Shared by the dialog-layer tests: a fixture over the simulated window
// system, a recorder for callbacks, and templates written as resource scripts.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "tests/sim/dlglow_sim.h"

namespace bitscope::test {

struct Call {
  int templateId;
  int controlId;
  int eventKind;
  bool operator==(const Call&) const = default;
};

// Every call of record() is kept; a test may add what happens during the call.
std::vector<Call>& calls();
std::function<void(DialogObject&, int, int)>& onCall();
void record(DialogObject& dialog, int controlId, int eventKind);

// A module parsed from a resource script; a parse error fails the test.
DialogModule moduleFrom(const std::string& script);

// Clean world before and after each test; script faults become test failures.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The text of a control as the window shows it.
std::string shown(LowWindow* window, int id);

}  // namespace bitscope::test
