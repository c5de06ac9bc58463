// SPDX-License-Identifier: MIT
// The state the parts of the simulated window system share.
#pragma once

#include <deque>
#include <list>
#include <memory>

#include "tests/sim/dlglow_sim.h"

namespace bitscope::sim {

struct Step {
  std::function<void()> action;  // a mouse-like action, or
  std::optional<SimKey> key;     // a keystroke
};

struct Message {
  Step step;
  LowWindow* target = nullptr;  // keystrokes: the window active when it was taken
};

struct State {
  std::vector<std::unique_ptr<LowWindow>> windows;  // kept after destruction until reset
  LowWindow* active = nullptr;
  bool failNextCreation = false;
  std::deque<Step> script;
  std::list<Message> taken;  // messages handed out, alive until reset
  bool quitPosted = false;
  int quitCode = 0;
  SimLoopEnd loopEnd = SimLoopEnd::None;
  int unroutedKeys = 0;
  std::function<void(const std::string&)> onFailure;
  std::vector<SimMessageBox> messageBoxes;
  std::deque<std::optional<std::filesystem::path>> chooserAnswers;
  std::vector<FileChooserRequest> chooserRequests;
  std::deque<bool> questionAnswers;
  std::vector<SimChooserQuestion> chooserQuestions;
  std::deque<std::filesystem::path> searchAnswers;
  std::vector<std::string> searchedNames;
  std::deque<OpenResult> openAnswers;
  std::vector<std::string> openedDocuments;
  std::optional<std::filesystem::path> currentDirectory;
  std::string language;
  std::deque<LowIcon> icons;
};

State& state();
void fail(const std::string& description);
// The window can be used: not null and not destroyed (reported otherwise).
bool usable(LowWindow* window, const char* operation);

// ---- Window machinery shared by the binding and the user actions

int controlIndex(LowWindow* window, int id);  // -1 when none
void deliver(LowWindow* window, const LowEvent& event);
void notify(LowWindow* window, int index, LowNotify notice);
void activate(LowWindow* window);  // deactivating the previously active one
void setFocus(LowWindow* window, int index);
void replaceSelection(LowWindow* window, int index, std::string_view text);  // one user edit
void destroyWindow(LowWindow* window);
void dialogKey(LowWindow* window, SimKey key);   // the dialog manager's keyboard handling
void controlKey(LowWindow* window, SimKey key);  // a key the focused control handles itself

bool isEdit(const SimControl& control);
bool isPushButton(const SimControl& control);
bool isAutoRadio(const SimControl& control);
// Checks the radio at index and clears the others of its template group (from
// the item with WS_GROUP up to the next one).
void checkRadio(LowWindow* window, int index);

}  // namespace bitscope::sim
