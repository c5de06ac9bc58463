// SPDX-License-Identifier: MIT
// The simulated window system's machinery: notices, activation, focus,
// editing, destruction and the dialog manager's keyboard handling, in the
// order the Windows dialog manager produces them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "dialog/winstyle.h"
#include "tests/sim/sim_state.h"

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

bool isAutoRadio(const SimControl& control) {
  return control.controlClass == ControlClass::Button && (control.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
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

// The indices of the radios of the template group of the control at index:
// back to the item with WS_GROUP, on to the next one.
std::vector<int> radioGroup(LowWindow* window, int index) {
  const auto& controls = window->controls;
  std::size_t first = static_cast<std::size_t>(index);
  while (first > 0 && (controls[first].style & WS_GROUP) == 0) --first;
  std::size_t end = static_cast<std::size_t>(index) + 1;
  while (end < controls.size() && (controls[end].style & WS_GROUP) == 0) ++end;
  std::vector<int> radios;
  for (std::size_t i = first; i < end; ++i)
    if (isAutoRadio(controls[i])) radios.push_back(static_cast<int>(i));
  return radios;
}

// A radio group with a tab stop is one stop, at its checked radio (its first
// while none is checked).
bool isTabStop(LowWindow* window, int index) {
  const SimControl& control = window->controls[static_cast<std::size_t>(index)];
  if (!control.visible || !control.enabled) return false;
  if (!isAutoRadio(control)) return (control.style & WS_TABSTOP) != 0;
  const std::vector<int> radios = radioGroup(window, index);
  bool tabbed = false;
  int stop = -1;
  for (const int i : radios) {
    const SimControl& radio = window->controls[static_cast<std::size_t>(i)];
    tabbed = tabbed || (radio.style & WS_TABSTOP) != 0;
    if (radio.checked && stop < 0) stop = i;
  }
  return tabbed && (stop < 0 ? radios.front() : stop) == index;
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
    if (!isTabStop(window, index)) continue;
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

// The arrows in a radio group: on to the next radio that can take the focus,
// round the group's end, which is checked and clicked.
void moveInRadioGroup(LowWindow* window, int index, bool forward) {
  const std::vector<int> radios = radioGroup(window, index);
  const auto count = static_cast<int>(radios.size());
  const auto at = static_cast<int>(std::find(radios.begin(), radios.end(), index) - radios.begin());
  for (int step = 1; step < count; ++step) {
    const int next =
        radios[static_cast<std::size_t>(((at + (forward ? step : -step)) % count + count) % count)];
    const SimControl& candidate = window->controls[static_cast<std::size_t>(next)];
    if (!candidate.visible || !candidate.enabled) continue;
    setFocus(window, next);
    if (window->destroyed) return;
    checkRadio(window, next);
    notify(window, next, LowNotify::Clicked);
    return;
  }
}

void moveCaret(SimControl& edit, int by) {
  const int caret = std::clamp(edit.selectionEnd + by, 0, static_cast<int>(edit.text.size()));
  edit.selectionStart = edit.selectionEnd = caret;
}

void moveListSelection(LowWindow* window, int index, int by) {
  SimControl& list = window->controls[static_cast<std::size_t>(index)];
  const auto count = static_cast<int>(list.items.size());
  if (count == 0) return;
  const auto selected = std::find(list.selected.begin(), list.selected.end(), true);
  const int current =
      selected == list.selected.end() ? -1 : static_cast<int>(selected - list.selected.begin());
  const int next = current < 0 ? 0 : std::clamp(current + by, 0, count - 1);
  if (next == current) return;
  lowListSelect(window, list.id, next);
  if ((list.style & LBS_NOTIFY) != 0) notify(window, index, LowNotify::ListSelChange);
}

}  // namespace

void checkRadio(LowWindow* window, int index) {
  for (const int i : radioGroup(window, index)) window->controls[static_cast<std::size_t>(i)].checked = false;
  window->controls[static_cast<std::size_t>(index)].checked = true;
}

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
          if (control.controlClass == ControlClass::Button &&
              (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
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
    case SimKey::Up:
    case SimKey::Down:
    case SimKey::Left:
    case SimKey::Right:
      if (window->focus >= 0 && isAutoRadio(window->controls[static_cast<std::size_t>(window->focus)])) {
        moveInRadioGroup(window, window->focus, key == SimKey::Down || key == SimKey::Right);
        return;
      }
      controlKey(window, key);
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
  if (control.controlClass == ControlClass::ListBox && (key == SimKey::Up || key == SimKey::Down)) {
    moveListSelection(window, focus, key == SimKey::Down ? 1 : -1);
    return;
  }
  if (isEdit(control) && (key == SimKey::Left || key == SimKey::Right)) {
    moveCaret(control, key == SimKey::Right ? 1 : -1);
    return;
  }
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
