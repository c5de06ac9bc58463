// SPDX-License-Identifier: MIT
// The simulated window system's test interface: the world, a user's actions,
// the script, and the records of platform services.
#include <algorithm>

#include "dialog/winstyle.h"
#include "tests/sim/sim_state.h"

namespace bitscope {

using namespace sim;
using namespace winstyle;

namespace {

// A window the user can act on: alive, shown and not blocked by a modal window.
bool reachable(LowWindow* window) {
  return window != nullptr && !window->destroyed && window->visible && window->enabled;
}

// The control the user aims at, after the click has activated its window.
int userTarget(LowWindow* window, int id) {
  if (!reachable(window)) return -1;
  const int index = controlIndex(window, id);
  if (index < 0) return -1;
  const SimControl& c = window->controls[static_cast<std::size_t>(index)];
  if (!c.visible || !c.enabled) return -1;
  activate(window);
  return window->destroyed ? -1 : index;
}

bool isEditable(const SimControl& c) { return isEdit(c) && (c.style & ES_READONLY) == 0; }

// A click's effect on an automatic button's marks, before it tells the dialog.
void toggleMarks(LowWindow* window, int index) {
  SimControl& c = window->controls[static_cast<std::size_t>(index)];
  switch (c.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTO3STATE:
      c.checked = !c.checked;
      return;
    case BS_AUTORADIOBUTTON:
      checkRadio(window, index);
      return;
    default:
      return;
  }
}

bool selectListItem(LowWindow* window, int id, int index, bool doubleClick) {
  const int at = userTarget(window, id);
  if (at < 0) return false;
  SimControl& list = window->controls[static_cast<std::size_t>(at)];
  if (list.controlClass != ControlClass::ListBox || index < 0 ||
      static_cast<std::size_t>(index) >= list.items.size())
    return false;
  setFocus(window, at);
  if (window->destroyed) return true;
  lowListSelect(window, id, index);
  if ((list.style & LBS_NOTIFY) == 0) return true;
  notify(window, at, LowNotify::ListSelChange);
  if (doubleClick && !window->destroyed) notify(window, at, LowNotify::ListDblClick);
  return true;
}

}  // namespace

// ---- The world ----------------------------------------------------------------

void simReset() {
  State& s = state();
  for (std::size_t i = 0; i < s.windows.size(); ++i)
    if (!s.windows[i]->destroyed) destroyWindow(s.windows[i].get());
  auto onFailure = std::move(s.onFailure);
  s = State{};
  s.onFailure = std::move(onFailure);
}

void simSetFailureHandler(std::function<void(const std::string&)> handler) {
  state().onFailure = std::move(handler);
}

std::vector<LowWindow*> simLiveWindows() {
  std::vector<LowWindow*> live;
  for (const auto& window : state().windows)
    if (!window->destroyed) live.push_back(window.get());
  return live;
}

LowWindow* simFindWindow(int templateId) {
  const auto& windows = state().windows;
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (!(*it)->destroyed && (*it)->templateId == templateId) return it->get();
  return nullptr;
}

LowWindow* simActiveWindow() { return state().active; }

SimControl* simControl(LowWindow* window, int id) {
  const int index = window != nullptr ? controlIndex(window, id) : -1;
  return index < 0 ? nullptr : &window->controls[static_cast<std::size_t>(index)];
}

void simFailNextWindowCreation() { state().failNextCreation = true; }

std::string simAccessibleName(LowWindow* window, int id) {
  const SimControl* c = simControl(window, id);
  if (c == nullptr) return {};
  if (!c->accessible.name.empty()) return c->accessible.name;
  return isEdit(*c) ? std::string() : c->text;
}

std::string simAccessibleDescription(LowWindow* window, int id) {
  const SimControl* c = simControl(window, id);
  if (c == nullptr) return {};
  return describedWithCaret(c->accessible, c->selectionEnd, static_cast<int>(c->text.size()));
}

std::string simToolTip(LowWindow* window, int id, int character) {
  const SimControl* c = simControl(window, id);
  if (c == nullptr || !c->toolTip.text) return {};
  // As the Qt binding asks: a character past the text is on no character.
  const bool onText = character >= 0 && character < static_cast<int>(c->text.size());
  return c->toolTip.text(onText ? character : -1);
}

std::string simCopyItemLabel(LowWindow* window, int id) {
  const SimControl* c = simControl(window, id);
  return c == nullptr ? std::string() : c->toolTip.copyLabel;
}

std::string simCopyItemText(LowWindow* window, int id) {
  const SimControl* c = simControl(window, id);
  if (c == nullptr || c->toolTip.copyLabel.empty() || !c->toolTip.copyText) return {};
  return c->toolTip.copyText();
}

// ---- A user ---------------------------------------------------------------------

bool simActivate(LowWindow* window) {
  if (!reachable(window)) return false;
  activate(window);
  return true;
}

bool simClick(LowWindow* window, int id) {
  const int at = userTarget(window, id);
  if (at < 0) return false;
  const SimControl& c = window->controls[static_cast<std::size_t>(at)];
  // Static texts and group boxes are transparent to the mouse.
  if (c.controlClass == ControlClass::Static ||
      (c.controlClass == ControlClass::Button && (c.style & BS_TYPEMASK) == BS_GROUPBOX))
    return false;
  setFocus(window, at);
  if (window->destroyed || c.controlClass != ControlClass::Button) return true;
  toggleMarks(window, at);
  notify(window, at, LowNotify::Clicked);
  return true;
}

bool simFocus(LowWindow* window, int id) {
  const int at = userTarget(window, id);
  if (at < 0) return false;
  setFocus(window, at);
  return true;
}

bool simSelectText(LowWindow* window, int id, int start, int end) {
  const int at = userTarget(window, id);
  if (at < 0 || !isEdit(window->controls[static_cast<std::size_t>(at)])) return false;
  setFocus(window, at);
  if (window->destroyed) return true;
  SimControl& c = window->controls[static_cast<std::size_t>(at)];
  const int size = static_cast<int>(c.text.size());
  c.selectionStart = std::clamp(start, 0, size);
  c.selectionEnd = std::clamp(end, 0, size);
  return true;
}

bool simType(LowWindow* window, int id, std::string_view text) {
  const int at = userTarget(window, id);
  if (at < 0 || !isEditable(window->controls[static_cast<std::size_t>(at)])) return false;
  setFocus(window, at);
  for (const char ch : text) {
    if (window->destroyed || window->focus != at) break;
    const SimControl& c = window->controls[static_cast<std::size_t>(at)];
    // A digits-only box refuses other typed characters (a paste still gets through).
    if ((c.style & ES_NUMBER) != 0 && (ch < '0' || ch > '9')) continue;
    replaceSelection(window, at, std::string_view(&ch, 1));
  }
  return true;
}

bool simPaste(LowWindow* window, int id, std::string_view text) {
  const int at = userTarget(window, id);
  if (at < 0 || !isEditable(window->controls[static_cast<std::size_t>(at)])) return false;
  setFocus(window, at);
  if (!window->destroyed && window->focus == at) replaceSelection(window, at, text);
  return true;
}

bool simSelectListItem(LowWindow* window, int id, int index) {
  return selectListItem(window, id, index, false);
}

bool simDoubleClickListItem(LowWindow* window, int id, int index) {
  return selectListItem(window, id, index, true);
}

bool simCloseWindow(LowWindow* window) {
  if (!reachable(window) || !window->closeItemEnabled) return false;
  activate(window);
  simSendCommand(window, 2, LowNotify::Clicked, false);
  return true;
}

bool simPressKey(LowWindow* window, SimKey key) {
  if (!reachable(window)) return false;
  activate(window);
  if (!window->destroyed) dialogKey(window, key);
  return true;
}

void simResize(LowWindow* window, LowSizeKind size) {
  if (!usable(window, "simResize")) return;
  LowEvent event;
  event.kind = LowEvent::Kind::Size;
  event.size = size;
  deliver(window, event);
}

void simSendCommand(LowWindow* window, int id, LowNotify notify, bool fromControl) {
  if (!usable(window, "simSendCommand")) return;
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = id;
  event.notify = notify;
  event.fromControl = fromControl;
  deliver(window, event);
}

// ---- The script -------------------------------------------------------------------

void simQueue(std::function<void()> step) { state().script.push_back(Step{std::move(step), std::nullopt}); }

void simQueueKey(SimKey key) { state().script.push_back(Step{{}, key}); }

std::size_t simPendingSteps() { return state().script.size(); }

SimLoopEnd simLoopEnd() { return state().loopEnd; }

int simUnroutedKeys() { return state().unroutedKeys; }

// ---- Platform services --------------------------------------------------------------

const std::vector<SimMessageBox>& simMessageBoxes() { return state().messageBoxes; }

void simAnswerFileChooser(std::optional<std::filesystem::path> path) {
  state().chooserAnswers.push_back(std::move(path));
}

const std::vector<FileChooserRequest>& simFileChooserRequests() { return state().chooserRequests; }

void simAnswerChooserQuestion(bool yes) { state().questionAnswers.push_back(yes); }

const std::vector<SimChooserQuestion>& simChooserQuestions() { return state().chooserQuestions; }

void simAnswerSearchPath(std::filesystem::path fullPath) {
  state().searchAnswers.push_back(std::move(fullPath));
}

const std::vector<std::string>& simSearchedNames() { return state().searchedNames; }

void simAnswerOpenDocument(OpenResult result) { state().openAnswers.push_back(result); }

const std::vector<std::string>& simOpenedDocuments() { return state().openedDocuments; }

void simSetCurrentDirectory(std::filesystem::path directory) {
  state().currentDirectory = std::move(directory);
}

const std::string& simLanguage() { return state().language; }

}  // namespace bitscope
