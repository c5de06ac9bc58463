// SPDX-License-Identifier: MIT
// Test support: the real start-up on the simulated window system, and a user's view of
// the main window (what each control shows, and actions on it).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "state/appstate.h"
#include "tests/sim/dlglow_sim.h"

namespace bitscope::test {

// Ids of the controls the tests look at, as the window's table numbers them.
enum Id : int {
  X = 1007,
  Value = 1008,
  Caption = 1040,
  DataType = 1036,
  NeighbourBits = 1043,
  List = 1044,
  ListLabel = 1057,
  Caret = 1019,
  Width = 1020,
  R32 = 1011,
  R64 = 1012,
  R128 = 1013,
  Zeros = 1029,
  Ones = 1030,
  Invert = 1031,
  AllFields = 1045,
  CurrentField = 1046,
  RO = 1050,
  EN = 1051,
  S32 = 1026,
  E32 = 1027,
  T32 = 1028,
  S64 = 1032,
  E64 = 1033,
  T64 = 1035,
  S128 = 1014,
  E128 = 1015,
  T128a = 1016,
  T128b = 1018,
};

// Starts and ends the program around each test, with every piece of state fresh.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  LowWindow* window = nullptr;

  // What a control shows on screen.
  std::string text(int id) const;
  bool enabled(int id) const;
  bool checked(int id) const;

  // A user's actions.
  void click(int id);
  void focus(int id);
  void type(int id, std::string_view keys);                         // character by character, at the caret
  void replaceText(int id, std::string_view text);                  // select all, then paste
  void overwrite(int id, int from, int to, std::string_view keys);  // select a range, type
  void selectItem(int item);                                        // parameter list, 1-based
  // The boxes of the current format set to an encoding given as its bits.
  void enterBits(std::string_view s, std::string_view e, std::string_view t);

  // Message boxes shown so far, and those shown since the last call.
  const std::vector<SimMessageBox>& messages() const { return simMessageBoxes(); }
  std::vector<SimMessageBox> newMessages();

 private:
  std::size_t seenMessages_ = 0;
};

// Ends each program of a test (the window, the dialogs, the state).
void resetProgram();

}  // namespace bitscope::test
