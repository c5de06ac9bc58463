// SPDX-License-Identifier: MIT
// The window binding over the simulated window system: every function of
// dialog/dlglow.h. Tests link this in place of the Qt binding.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "dialog/winstyle.h"
#include "tests/sim/sim_state.h"

namespace bitscope {

using namespace sim;

namespace {

SimControl* control(LowWindow* window, int id, const char* operation) {
  if (!usable(window, operation)) return nullptr;
  const int index = controlIndex(window, id);
  return index < 0 ? nullptr : &window->controls[static_cast<std::size_t>(index)];
}

SimControl* listControl(LowWindow* window, int id, const char* operation) {
  SimControl* found = control(window, id, operation);
  return found != nullptr && found->controlClass == ControlClass::ListBox ? found : nullptr;
}

bool inList(const SimControl& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.items.size();
}

LowWindow* createWindow(const DialogTemplate& tpl, LowWindow* owner, bool modal, int showMode,
                        void* userData) {
  State& s = state();
  if (s.failNextCreation) {
    s.failNextCreation = false;
    return nullptr;
  }
  auto made = std::make_unique<LowWindow>();
  LowWindow* window = made.get();
  window->templateId = tpl.id;
  window->title = tpl.caption;
  window->owner = owner;
  window->modal = modal;
  window->showMode = showMode;
  window->userData = userData;
  for (const TemplateItem& item : tpl.items) {
    SimControl c;
    c.id = item.id;
    c.controlClass = item.controlClass;
    c.style = item.style;
    c.text = item.titleIsResource ? std::string() : item.title;
    c.enabled = (item.style & winstyle::WS_DISABLED) == 0;
    c.visible = (item.style & winstyle::WS_VISIBLE) != 0;
    window->controls.push_back(std::move(c));
  }
  s.windows.push_back(std::move(made));

  LowEvent init;
  init.kind = LowEvent::Kind::Init;
  deliver(window, init);
  if (window->destroyed || showMode == 0) return window;
  window->visible = true;
  activate(window);
  // The dialog manager puts the focus on the first tab stop.
  for (std::size_t i = 0; i < window->controls.size() && !window->destroyed; ++i) {
    const SimControl& c = window->controls[i];
    if (c.visible && c.enabled && (c.style & winstyle::WS_TABSTOP) != 0) {
      setFocus(window, static_cast<int>(i));
      break;
    }
  }
  return window;
}

void runStep(const Step& step) {
  if (step.key) {
    LowWindow* target = state().active;
    if (target != nullptr && !target->destroyed) dialogKey(target, *step.key);
  } else if (step.action) {
    step.action();
  }
}

}  // namespace

// ---- Windows ----------------------------------------------------------------

LowWindow* lowCreateModeless(const DialogTemplate& tpl, LowWindow* owner, int showMode, void* userData) {
  return createWindow(tpl, owner, false, showMode, userData);
}

int lowRunModal(const DialogTemplate& tpl, LowWindow* owner, void* userData) {
  LowWindow* window = createWindow(tpl, owner, true, 1, userData);
  if (window == nullptr) return -1;
  const bool ownerDisabled = owner != nullptr && !owner->destroyed && owner->enabled;
  if (ownerDisabled) owner->enabled = false;
  State& s = state();
  while (!window->destroyed && !window->modalEnded && !s.quitPosted) {
    if (s.script.empty()) {
      fail("the script ran dry in the modal loop of dialog " + std::to_string(tpl.id));
      break;
    }
    const Step step = std::move(s.script.front());
    s.script.pop_front();
    runStep(step);
  }
  // The owner is enabled again before the window goes, so that it takes the activation.
  if (ownerDisabled && !owner->destroyed) owner->enabled = true;
  destroyWindow(window);
  return window->modalEnded ? window->modalResult : 0;
}

void lowEndModal(LowWindow* window, int result) {
  if (!usable(window, "lowEndModal")) return;
  window->modalEnded = true;
  window->modalResult = result;
}

void lowDestroyWindow(LowWindow* window) {
  if (usable(window, "lowDestroyWindow")) destroyWindow(window);
}

void* lowGetUserData(LowWindow* window) { return window != nullptr ? window->userData : nullptr; }

void lowSetTitle(LowWindow* window, const std::string& title) {
  if (usable(window, "lowSetTitle")) window->title = title;
}

void lowEnableCloseItem(LowWindow* window, bool enabled) {
  if (usable(window, "lowEnableCloseItem")) window->closeItemEnabled = enabled;
}

// ---- Controls ---------------------------------------------------------------

bool lowHasControl(LowWindow* window, int id) { return control(window, id, "lowHasControl") != nullptr; }

void lowSetText(LowWindow* window, int id, const std::string& text) {
  SimControl* c = control(window, id, "lowSetText");
  if (c == nullptr) return;
  c->text = text;
  if (!isEdit(*c)) return;
  c->text = c->text.substr(0, c->textLimit);
  // An edit box tells every change of its text, the program's own included.
  c->selectionStart = c->selectionEnd = 0;
  const int index = controlIndex(window, id);
  notify(window, index, LowNotify::EditUpdate);
  notify(window, index, LowNotify::EditChange);
}

std::string lowGetText(LowWindow* window, int id) {
  const SimControl* c = control(window, id, "lowGetText");
  return c != nullptr ? c->text : std::string();
}

void lowEnable(LowWindow* window, int id, bool enabled) {
  SimControl* c = control(window, id, "lowEnable");
  if (c == nullptr) return;
  c->enabled = enabled;
  // A disabled control cannot keep the keyboard focus.
  const int index = controlIndex(window, id);
  if (!enabled && window->focus == index) setFocus(window, -1);
}

bool lowIsEnabled(LowWindow* window, int id) {
  const SimControl* c = control(window, id, "lowIsEnabled");
  return c != nullptr && c->enabled;
}

void lowSetCheck(LowWindow* window, int id, bool checked) {
  if (SimControl* c = control(window, id, "lowSetCheck")) c->checked = checked;
}

bool lowGetCheck(LowWindow* window, int id) {
  const SimControl* c = control(window, id, "lowGetCheck");
  return c != nullptr && c->checked;
}

void lowSetCaret(LowWindow* window, int id, int index) {
  SimControl* c = control(window, id, "lowSetCaret");
  if (c == nullptr) return;
  c->selectionStart = c->selectionEnd = std::clamp(index, 0, static_cast<int>(c->text.size()));
}

void lowSetTextLimit(LowWindow* window, int id, int maxChars) {
  SimControl* c = control(window, id, "lowSetTextLimit");
  if (c == nullptr || !isEdit(*c)) return;
  c->textLimit = static_cast<std::size_t>(std::max(0, maxChars));
  if (c->text.size() <= c->textLimit) return;
  // Cutting the text is a change of it, told as every change is.
  const std::string whole = c->text;
  lowSetText(window, id, whole);
}

void lowSetAccessibleText(LowWindow* window, int id, const AccessibleText& text) {
  if (SimControl* c = control(window, id, "lowSetAccessibleText")) c->accessible = text;
}

void lowSetToolTip(LowWindow* window, int id, const ToolTipSource& source) {
  if (SimControl* c = control(window, id, "lowSetToolTip")) c->toolTip = source;
}

int lowGetSelectionEnd(LowWindow* window, int id) {
  const SimControl* c = control(window, id, "lowGetSelectionEnd");
  return c != nullptr ? c->selectionEnd : 0;
}

void lowListReset(LowWindow* window, int id) {
  if (SimControl* list = listControl(window, id, "lowListReset")) {
    list->items.clear();
    list->selected.clear();
  }
}

void lowListAdd(LowWindow* window, int id, const std::string& text) {
  if (SimControl* list = listControl(window, id, "lowListAdd")) {
    list->items.push_back(text);
    list->selected.push_back(false);
  }
}

int lowListCount(LowWindow* window, int id) {
  const SimControl* list = listControl(window, id, "lowListCount");
  return list != nullptr ? static_cast<int>(list->items.size()) : 0;
}

std::string lowListText(LowWindow* window, int id, int index) {
  const SimControl* list = listControl(window, id, "lowListText");
  return list != nullptr && inList(*list, index) ? list->items[static_cast<std::size_t>(index)]
                                                 : std::string();
}

void lowListSelect(LowWindow* window, int id, int index) {
  SimControl* list = listControl(window, id, "lowListSelect");
  if (list == nullptr) return;
  // A single-selection list has one current item (none for an index outside
  // the list); a multiple-selection list adds the item to its selection.
  if (!lowListIsMultiple(window, id)) std::fill(list->selected.begin(), list->selected.end(), false);
  if (inList(*list, index)) list->selected[static_cast<std::size_t>(index)] = true;
}

bool lowListIsSelected(LowWindow* window, int id, int index) {
  const SimControl* list = listControl(window, id, "lowListIsSelected");
  return list != nullptr && inList(*list, index) && list->selected[static_cast<std::size_t>(index)];
}

bool lowListIsMultiple(LowWindow* window, int id) {
  const SimControl* list = listControl(window, id, "lowListIsMultiple");
  return list != nullptr && (list->style & (winstyle::LBS_MULTIPLESEL | winstyle::LBS_EXTENDEDSEL)) != 0;
}

// ---- The message loop -------------------------------------------------------

bool lowGetMessage(LowMessage& message) {
  State& s = state();
  if (s.quitPosted) {
    s.quitPosted = false;
    s.loopEnd = SimLoopEnd::Quit;
    message.quitCode = s.quitCode;
    message.native = nullptr;
    return false;
  }
  if (s.script.empty()) {
    s.loopEnd = SimLoopEnd::ScriptExhausted;
    message.native = nullptr;
    return false;
  }
  Message& taken = s.taken.emplace_back();
  taken.step = std::move(s.script.front());
  s.script.pop_front();
  if (taken.step.key) taken.target = s.active;
  message.native = &taken;
  return true;
}

bool lowIsDialogMessage(LowWindow* window, LowMessage& message) {
  auto* taken = static_cast<Message*>(message.native);
  // Mouse-like actions are left to the dispatcher; keystrokes for this window
  // get the dialog manager's handling.
  if (taken == nullptr || !taken->step.key || taken->target != window || window->destroyed) return false;
  dialogKey(window, *taken->step.key);
  return true;
}

void lowTranslateMessage(LowMessage&) {}

void lowDispatchMessage(LowMessage& message) {
  auto* taken = static_cast<Message*>(message.native);
  if (taken == nullptr) return;
  if (!taken->step.key) {
    runStep(taken->step);
    return;
  }
  // Without the dialog manager a keystroke reaches only the focused control.
  ++state().unroutedKeys;
  if (taken->target != nullptr && !taken->target->destroyed) controlKey(taken->target, *taken->step.key);
}

void lowPostQuitMessage(int exitCode) {
  state().quitPosted = true;
  state().quitCode = exitCode;
}

// ---- Platform services ------------------------------------------------------

void lowMessageBox(const std::string& text, const std::string& caption, MessageIcon icon, LowWindow* owner) {
  state().messageBoxes.push_back(SimMessageBox{text, caption, icon, owner});
}

void lowStopProgram(int exitCode) {
  for (const SimMessageBox& box : state().messageBoxes)
    std::fprintf(stderr, "message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
  std::fprintf(stderr, "program stopped with code %d\n", exitCode);
  std::fflush(stderr);
  std::_Exit(exitCode);
}

LowIcon* lowLoadIcon(int resourceId, int pixels) {
  constexpr int known[] = {104, 109, 110, 112};
  if (std::find(std::begin(known), std::end(known), resourceId) == std::end(known)) return nullptr;
  return &state().icons.emplace_back(LowIcon{resourceId, pixels});
}

int lowSmallIconSize() { return 16; }

void lowSetWindowIcon(LowWindow* window, LowIcon* icon) {
  if (usable(window, "lowSetWindowIcon")) window->icon = icon;
}

void lowSetButtonIcon(LowWindow* window, int id, LowIcon* icon) {
  if (SimControl* c = control(window, id, "lowSetButtonIcon")) c->icon = icon;
}

void lowSetLanguage(std::string_view code) { state().language = code; }

namespace {

// The chooser's question about path; false (No) also when the script has no answer.
bool askChooserQuestion(SimChooserQuestion::Kind kind, const std::filesystem::path& path) {
  State& s = state();
  s.chooserQuestions.push_back({kind, path, s.language});
  if (s.questionAnswers.empty()) {
    fail("no answer queued for a question of the file chooser");
    return false;
  }
  const bool yes = s.questionAnswers.front();
  s.questionAnswers.pop_front();
  return yes;
}

}  // namespace

bool lowChooseFile(const FileChooserRequest& request, std::filesystem::path& path) {
  State& s = state();
  s.chooserRequests.push_back(request);
  for (;;) {
    if (s.chooserAnswers.empty()) {
      fail("no answer queued for the file chooser");
      return false;
    }
    const std::optional<std::filesystem::path> answer = std::move(s.chooserAnswers.front());
    s.chooserAnswers.pop_front();
    if (!answer) return false;
    std::error_code error;
    const bool exists = std::filesystem::exists(*answer, error);
    if (!exists && request.promptCreate && !askChooserQuestion(SimChooserQuestion::Kind::Create, *answer))
      continue;
    if (exists && request.promptOverwrite && !askChooserQuestion(SimChooserQuestion::Kind::Replace, *answer))
      continue;
    path = *answer;
    return true;
  }
}

std::filesystem::path lowCurrentDirectory() {
  const State& s = state();
  if (s.currentDirectory) return *s.currentDirectory;
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  return error ? std::filesystem::path() : here;
}

std::filesystem::path lowSearchPath(const std::string& name) {
  State& s = state();
  s.searchedNames.push_back(name);
  if (s.searchAnswers.empty()) {
    fail("no answer queued for the search path");
    return {};
  }
  std::filesystem::path answer = std::move(s.searchAnswers.front());
  s.searchAnswers.pop_front();
  return answer;
}

void lowOpenDocument(const std::filesystem::path& path, std::function<void(OpenResult)> done) {
  State& s = state();
  s.openedDocuments.push_back(path.string());
  if (s.openAnswers.empty()) {
    fail("no answer queued for opening a document");
    done(OpenResult::Failed);
    return;
  }
  const OpenResult answer = s.openAnswers.front();
  s.openAnswers.pop_front();
  done(answer);
}

}  // namespace bitscope
