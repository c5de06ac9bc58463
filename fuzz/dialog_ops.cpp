// SPDX-License-Identifier: MIT
// Fuzz target: the dialog layer on the simulated window system. The input is a program of
// operations on the program's three templates (main window, About box, summary): value
// writes and reads, callbacks, captions, refreshes, modeless and modal runs, closing,
// releasing and reloading, and a user's actions on whatever windows are open. Callbacks
// attached by the input run further operations of it, so that operations also happen
// inside handlers, nested runs included. Checked besides the sanitizers:
// 1. Writing or reading a value never raises a callback.
// 2. A text written to a label or edit box reads back as stored (up to a NUL, without
//    trailing blanks, padded or cut to the length asked), window or not; a check box's mark
//    and a list's item count read back as written.
// 3. A dialog's window is always a live window, and none is left once all are destroyed.
// 4. The simulated window system sees no misuse (such as a destroyed window used).
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "tests/sim/dlglow_sim.h"

namespace {

using namespace bitscope;

// ---- The input, read as the program of operations ---------------------------

struct Input {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  int operations = 0;  // run so far: bounds the work of one input

  bool more() const { return pos < size && operations < 400; }
  std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
  int small(int bound) { return byte() % bound; }
  std::string text() {
    const std::size_t length = std::min<std::size_t>(byte() % 80, size - pos);
    std::string taken(reinterpret_cast<const char*>(data + pos), length);
    pos += length;
    return taken;
  }
};

Input g_in;
int g_depth = 0;    // operations running inside callbacks or modal loops
int g_writing = 0;  // a value write or read is running at the current depth

[[noreturn]] void fault(const std::string& what) {
  std::fprintf(stderr, "dialog layer: %s\n", what.c_str());
  std::abort();
}

constexpr std::array<int, 3> templateIds{101, 103, 111};
std::array<DialogObject, 3> g_dialogs;

DialogObject& pickDialog() { return g_dialogs[g_in.small(3)]; }

// A control id: mostly one of the template's, sometimes the template id or an unknown one.
int pickControl(const DialogObject& dialog) {
  const int choice = g_in.byte();
  if (choice < 8) return dialog.templateId;
  if (choice < 12) return choice - 10;  // -2 .. 1: the cancel id 2 is in the templates
  const DialogTemplate* tpl = findDialogTemplate(dialog.templateId);
  return tpl == nullptr || tpl->items.empty() ? 0 : tpl->items[choice % tpl->items.size()].id;
}

int pickProperty() {
  static constexpr std::array<int, 12> selectors{PROP_DEFAULT,
                                                 PROP_TITLE,
                                                 PROP_ENABLED,
                                                 PROP_STATE,
                                                 PROP_POSITION,
                                                 PROP_ITEMCOUNT,
                                                 PROP_ADDITEM,
                                                 PROP_TEXTLENGTH,
                                                 1,
                                                 2,
                                                 7,
                                                 -4};
  return selectors[g_in.small(static_cast<int>(selectors.size()))];
}

int pickEvent() {
  static constexpr std::array<int, 10> events{EVT_INIT,      EVT_DESTROY,  EVT_SIZE,      EVT_CLICKED,
                                              EVT_CHANGE,    EVT_UPDATE,   EVT_SELCHANGE, EVT_DBLCLICK,
                                              EVT_GAINFOCUS, EVT_LOSEFOCUS};
  return events[g_in.small(static_cast<int>(events.size()))];
}

// Small numbers mostly: a count or length of billions would only measure the allocator.
int pickInteger() {
  const int choice = g_in.byte();
  return choice < 200 ? choice - 8 : (choice - 200) * 97;
}

LowWindow* pickWindow() {
  const std::vector<LowWindow*> live = simLiveWindows();
  return live.empty() ? nullptr : live[g_in.byte() % live.size()];
}

int pickWindowControl(LowWindow* window) {
  return window->controls.empty() ? 0 : window->controls[g_in.byte() % window->controls.size()].id;
}

// ---- Checks -----------------------------------------------------------------

// 1. Value operations run inside this scope; a callback that starts meanwhile is a fault.
struct ValueOperation {
  ValueOperation() { ++g_writing; }
  ~ValueOperation() { --g_writing; }
};

std::string storedForm(std::string text, std::size_t length) {
  text = text.substr(0, text.find('\0'));
  text.erase(text.find_last_not_of(' ') + 1);
  text.resize(length, ' ');
  return text;
}

ControlKind kindOf(DialogObject& dialog, int id) {
  for (const ControlRecord& record : dialog.controls)
    if (record.id == id) return record.duplicate ? ControlKind::Unknown : record.kind;
  return ControlKind::Unknown;
}

bool isLabelOrEdit(ControlKind kind) {
  return kind == ControlKind::StaticText || kind == ControlKind::GroupBox ||
         kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::RadioButton || kind == ControlKind::EditBox;
}

// 3.
void checkWindows() {
  const std::vector<LowWindow*> live = simLiveWindows();
  for (const DialogObject& dialog : g_dialogs)
    if (dialog.window != nullptr && std::find(live.begin(), live.end(), dialog.window) == live.end())
      fault("dialog " + std::to_string(dialog.templateId) + " keeps a window that is gone");
}

// ---- Operations -------------------------------------------------------------

void runOperation();

void fuzzCallback(DialogObject& dialog, int controlId, int eventKind) {
  if (g_writing > 0)
    fault("callback (" + std::to_string(dialog.templateId) + ", " + std::to_string(controlId) + ", " +
          std::to_string(eventKind) + ") raised by a value operation");
  if (g_depth >= 4) return;
  const int saved = g_writing;
  g_writing = 0;
  ++g_depth;
  for (int n = g_in.small(3); n > 0 && g_in.more(); --n) runOperation();
  --g_depth;
  g_writing = saved;
}

void setText(DialogObject& dialog) {
  const int id = pickControl(dialog);
  const int property = pickProperty();
  const std::string text = g_in.text();
  const ValueOperation scope;
  const bool accepted = DLGSETVALUE(dialog, id, std::string_view(text), property);
  if (!accepted || property != PROP_DEFAULT || !isLabelOrEdit(kindOf(dialog, id))) return;
  // 2.
  const auto length = static_cast<int>(g_in.byte());
  std::string got;
  if (!DLGGETVALUE(dialog, id, got, length) || got != storedForm(text, static_cast<std::size_t>(length)))
    fault("text of control " + std::to_string(id) + " does not read back: \"" + got + "\"");
}

void setLogical(DialogObject& dialog) {
  const int id = pickControl(dialog);
  const int property = pickProperty();
  const bool value = g_in.byte() & 1;
  const ValueOperation scope;
  if (!DLGSETVALUE(dialog, id, value, property) || kindOf(dialog, id) != ControlKind::CheckBox ||
      property != PROP_STATE)
    return;
  bool got = !value;
  if (!DLGGETVALUE(dialog, id, got, PROP_STATE) || got != value)
    fault("mark of check box " + std::to_string(id) + " does not read back");
}

void setInteger(DialogObject& dialog) {
  const int id = pickControl(dialog);
  const int property = pickProperty();
  const int value = pickInteger();
  const ValueOperation scope;
  if (!DLGSETVALUE(dialog, id, value, property) || kindOf(dialog, id) != ControlKind::ListBox ||
      property != PROP_ITEMCOUNT)
    return;
  int got = -1;
  if (!DLGGETVALUE(dialog, id, got, PROP_ITEMCOUNT) || got != value)
    fault("item count of list " + std::to_string(id) + " does not read back");
}

void getValues(DialogObject& dialog) {
  const int id = pickControl(dialog);
  const int property = pickProperty();
  const ValueOperation scope;
  bool logical = false;
  int integer = 0;
  std::string text;
  DLGGETVALUE(dialog, id, logical, property);
  DLGGETVALUE(dialog, id, integer, property);
  DLGGETVALUE(dialog, id, text, pickInteger(), property);
}

void setCallback(DialogObject& dialog) {
  const int id = pickControl(dialog);
  if (g_in.byte() & 1)
    DLGSETCALLBACK(dialog, id, fuzzCallback);
  else
    DLGSETCALLBACK(dialog, id, fuzzCallback, pickEvent());
}

// The steps of a modal run's loop: each runs an operation of the input when its turn comes.
int runModal(DialogObject& dialog) {
  for (int n = g_in.small(6); n > 0; --n)
    simQueue([] {
      if (g_in.more()) runOperation();
    });
  simQueue([&dialog] { DLGEXIT(dialog); });
  return DLGMODAL(dialog);
}

void userAction() {
  LowWindow* window = pickWindow();
  if (window == nullptr) return;
  switch (g_in.small(12)) {
    case 0:
      simClick(window, pickWindowControl(window));
      break;
    case 1:
      simFocus(window, pickWindowControl(window));
      break;
    case 2:
      simType(window, pickWindowControl(window), g_in.text());
      break;
    case 3:
      simPaste(window, pickWindowControl(window), g_in.text());
      break;
    case 4: {
      const int id = pickWindowControl(window);
      const int start = pickInteger();
      simSelectText(window, id, start, pickInteger());
      break;
    }
    case 5:
      simSelectListItem(window, pickWindowControl(window), pickInteger());
      break;
    case 6:
      simDoubleClickListItem(window, pickWindowControl(window), pickInteger());
      break;
    case 7:
      simCloseWindow(window);
      break;
    case 8:
      simPressKey(window, static_cast<SimKey>(g_in.small(10)));
      break;
    case 9:
      simResize(window, static_cast<LowSizeKind>(g_in.small(3)));
      break;
    case 10:
      simActivate(window);
      break;
    default: {
      const int id = pickWindowControl(window);
      const auto notice = static_cast<LowNotify>(g_in.small(8));
      simSendCommand(window, id, notice, g_in.byte() & 1);
      break;
    }
  }
}

void runOperation() {
  ++g_in.operations;
  ++g_depth;
  DialogObject& dialog = pickDialog();
  switch (g_in.small(16)) {
    case 0:
      setText(dialog);
      break;
    case 1:
      setLogical(dialog);
      break;
    case 2:
      setInteger(dialog);
      break;
    case 3:
      getValues(dialog);
      break;
    case 4:
      setCallback(dialog);
      break;
    case 5: {
      const ValueOperation scope;
      DLGSETCAPTION(dialog, g_in.text());
      break;
    }
    case 6: {
      const ValueOperation scope;
      DLGREFRESH(dialog, g_in.byte() & 1);
      break;
    }
    case 7: {
      const int showMode = g_in.small(3);
      DLGMODELESS(dialog, showMode, g_in.byte() & 1 ? pickWindow() : nullptr);
      break;
    }
    case 8:
      runModal(dialog);
      break;
    case 9:
      DLGEXIT(dialog);
      break;
    case 10:
      DLGSETRESULT(dialog, pickInteger());
      break;
    case 11: {
      // A message of the queue offered for routing, as the program's loop does.
      simQueueKey(static_cast<SimKey>(g_in.small(10)));
      LowMessage message;
      if (lowGetMessage(message) && !DLGROUTEMESSAGE(message)) lowDispatchMessage(message);
      break;
    }
    case 12:
      DLGRELEASE(dialog);
      DLGLOAD(templateIds[static_cast<std::size_t>(&dialog - g_dialogs.data())], dialog);
      break;
    default:
      userAction();
      break;
  }
  --g_depth;
}

void onSimFailure(const std::string& what) {
  // A modal loop left without steps is the input's doing (it ends the loop); anything
  // else is misuse of the window system.
  if (what.find("ran dry") == std::string::npos) fault("simulated window system: " + what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  simSetFailureHandler(onSimFailure);
  simReset();
  for (std::size_t i = 0; i < templateIds.size(); ++i)
    if (!DLGLOAD(templateIds[i], g_dialogs[i]))
      fault("template " + std::to_string(templateIds[i]) + " missing");
  g_in = Input{data, size};
  g_depth = 0;
  g_writing = 0;

  while (g_in.more()) {
    runOperation();
    checkWindows();
  }
  // What the input queued for a modal loop that ended early, as the program's loop would.
  LowMessage message;
  while (lowGetMessage(message))
    if (!DLGROUTEMESSAGE(message)) lowDispatchMessage(message);
  checkWindows();

  simReset();
  for (const DialogObject& dialog : g_dialogs)
    if (dialog.window != nullptr) fault("a window remains after every window is gone");
  for (DialogObject& dialog : g_dialogs) DLGRELEASE(dialog);
  return 0;
}
