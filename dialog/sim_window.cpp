// The simulated window system's machinery: notices, activation, focus,
// editing, destruction and the dialog manager's keyboard handling, in the
// order the Windows dialog manager produces them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "dialog/sim_state.h"
#include "dialog/winstyle.h"

namespace bitscope::sim {

using namespace winstyle;

State& state() {
  static State instance;
  return instance;
}

void fail(const std::string& description) {
  if (state().onFailure) {
    state().onFailure(description);
    return;
  }
  std::fprintf(stderr, "simulated window system: %s\n", description.c_str());
  std::abort();
}

bool usable(LowWindow* window, const char* operation) {
  if (window == nullptr) {
    fail(std::string(operation) + " on no window");
    return false;
  }
  if (window->destroyed) {
    fail(std::string(operation) + " on a destroyed window of dialog " + std::to_string(window->templateId));
    return false;
  }
  return true;
}

bool isEdit(const SimControl& control) { return control.controlClass == ControlClass::Edit; }

bool isPushButton(const SimControl& control) {
  const std::uint32_t type = control.style & BS_TYPEMASK;
  return control.controlClass == ControlClass::Button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

int controlIndex(LowWindow* window, int id) {
  for (std::size_t i = 0; i < window->controls.size(); ++i)
    if (window->controls[i].id == id) return static_cast<int>(i);
  return -1;
}

void deliver(LowWindow* window, const LowEvent& event) {
  if (!window->destroyed) dlgWindowEvent(window, event);
}

void notify(LowWindow* window, int index, LowNotify notice) {
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = window->controls[static_cast<std::size_t>(index)].id;
  event.notify = notice;
  event.fromControl = true;
  deliver(window, event);
}

namespace {

void sendActivation(LowWindow* window, bool active) {
  LowEvent event;
  event.kind = LowEvent::Kind::Activate;
  event.active = active;
  deliver(window, event);
}

// The focused edit box loses or regains the keyboard focus with its window.
void focusNotice(LowWindow* window, LowNotify notice) {
  const int focus = window->focus;
  if (focus >= 0 && !window->destroyed && isEdit(window->controls[static_cast<std::size_t>(focus)]))
    notify(window, focus, notice);
}

bool isTabStop(const SimControl& control) {
  return control.visible && control.enabled && (control.style & WS_TABSTOP) != 0;
}

void editSelectAll(SimControl& control) {
  control.selectionStart = 0;
  control.selectionEnd = static_cast<int>(control.text.size());
}

void moveFocusByTab(LowWindow* window, bool forward) {
  const int count = static_cast<int>(window->controls.size());
  for (int step = 1; step <= count; ++step) {
    const int from = window->focus < 0 ? (forward ? -1 : 0) : window->focus;
    const int index = ((from + (forward ? step : -step)) % count + count) % count;
    SimControl& control = window->controls[static_cast<std::size_t>(index)];
    if (!isTabStop(control)) continue;
    // Tabbing into an edit box selects its whole text.
    if (isEdit(control)) editSelectAll(control);
    setFocus(window, index);
    return;
  }
}

void sendClickFrom(LowWindow* window, int index) {
  if (index >= 0) {
    notify(window, index, LowNotify::Clicked);
    return;
  }
  // The OK command of the keyboard in a dialog without a default button.
  LowEvent event;
  event.kind = LowEvent::Kind::Command;
  event.controlId = 1;
  event.notify = LowNotify::Clicked;
  event.fromControl = controlIndex(window, 1) >= 0;
  deliver(window, event);
}

}  // namespace

void activate(LowWindow* window) {
  State& s = state();
  if (s.active == window) return;
  LowWindow* previous = s.active;
  s.active = window;
  if (previous != nullptr && !previous->destroyed) {
    sendActivation(previous, false);
    focusNotice(previous, LowNotify::FocusOut);
  }
  if (window != nullptr && !window->destroyed) {
    sendActivation(window, true);
    focusNotice(window, LowNotify::FocusIn);
  }
}

void setFocus(LowWindow* window, int index) {
  if (window->focus == index) return;
  const bool active = state().active == window;
  const int previous = window->focus;
  window->focus = index;
  // Only the active window holds the keyboard focus; another one just remembers it.
  if (!active) return;
  if (previous >= 0 && isEdit(window->controls[static_cast<std::size_t>(previous)]))
    notify(window, previous, LowNotify::FocusOut);
  if (index >= 0 && !window->destroyed && window->focus == index &&
      isEdit(window->controls[static_cast<std::size_t>(index)]))
    notify(window, index, LowNotify::FocusIn);
}

void replaceSelection(LowWindow* window, int index, std::string_view text) {
  SimControl& control = window->controls[static_cast<std::size_t>(index)];
  const auto size = static_cast<int>(control.text.size());
  const int from = std::clamp(std::min(control.selectionStart, control.selectionEnd), 0, size);
  const int to = std::clamp(std::max(control.selectionStart, control.selectionEnd), 0, size);
  // A box with a text limit takes what fits of the new text; a full one refuses a keystroke.
  const std::size_t kept = control.text.size() - static_cast<std::size_t>(to - from);
  text = text.substr(0, control.textLimit > kept ? control.textLimit - kept : 0);
  if (from == to && text.empty()) return;  // nothing changes, nothing is told
  control.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
  control.selectionStart = control.selectionEnd = from + static_cast<int>(text.size());
  notify(window, index, LowNotify::EditUpdate);
  notify(window, index, LowNotify::EditChange);
}

void destroyWindow(LowWindow* window) {
  if (window->destroyed || window->destroying) return;
  window->destroying = true;
  State& s = state();
  // Owned windows go first.
  for (std::size_t i = 0; i < s.windows.size(); ++i) {
    LowWindow* other = s.windows[i].get();
    if (other->owner == window && !other->destroyed) destroyWindow(other);
  }
  // Hiding the window passes the activation to its owner.
  window->visible = false;
  if (s.active == window) {
    LowWindow* owner = window->owner;
    const bool ownerTakes = owner != nullptr && !owner->destroyed && owner->visible && owner->enabled;
    activate(ownerTakes ? owner : nullptr);
  }
  LowEvent event;
  event.kind = LowEvent::Kind::Destroy;
  dlgWindowEvent(window, event);
  window->destroyed = true;
  window->userData = nullptr;
}

void dialogKey(LowWindow* window, SimKey key) {
  switch (key) {
    case SimKey::Escape: {
      LowEvent event;
      event.kind = LowEvent::Kind::Command;
      event.controlId = 2;
      event.notify = LowNotify::Clicked;
      event.fromControl = false;
      deliver(window, event);
      return;
    }
    case SimKey::Enter: {
      // A focused push button is the default one while it has the focus.
      int target = window->focus;
      if (target < 0 || !isPushButton(window->controls[static_cast<std::size_t>(target)])) {
        target = -1;
        for (std::size_t i = 0; i < window->controls.size() && target < 0; ++i) {
          const SimControl& control = window->controls[i];
          if (control.controlClass == ControlClass::Button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            target = static_cast<int>(i);
        }
      }
      if (target >= 0 && !window->controls[static_cast<std::size_t>(target)].enabled) return;
      sendClickFrom(window, target);
      return;
    }
    case SimKey::Tab:
    case SimKey::ShiftTab:
      moveFocusByTab(window, key == SimKey::Tab);
      return;
    case SimKey::Backspace:
    case SimKey::Delete:
      controlKey(window, key);
      return;
  }
}

void controlKey(LowWindow* window, SimKey key) {
  const int focus = window->focus;
  if (focus < 0) return;
  SimControl& control = window->controls[static_cast<std::size_t>(focus)];
  if (!isEdit(control) || (control.style & ES_READONLY) != 0) return;
  if (key != SimKey::Backspace && key != SimKey::Delete) return;
  if (control.selectionStart == control.selectionEnd) {
    // No selection: the character before (Backspace) or after (Delete) the caret.
    const int caret = control.selectionEnd;
    const int other = key == SimKey::Backspace ? caret - 1 : caret + 1;
    if (other < 0 || other > static_cast<int>(control.text.size())) return;
    control.selectionStart = other;
  }
  replaceSelection(window, focus, "");
}

}  // namespace bitscope::sim
