// SPDX-License-Identifier: MIT
// Fuzz target: the bit boxes of the main window, edited by a user with arbitrary bytes of
// any length, through the real handlers on the simulated window system. The input is a
// program of user actions: mostly edits of the bit boxes (whole-text pastes, typing over a
// selection, deletions) and clicks into them, mixed with the actions whose results the
// bit boxes feed (format and language radios, fill and invert buttons and their scope,
// parameter-list items, the neighbour check box, the X box) and now and then the About
// box, the help button and the summary. Checked besides the sanitizers:
// 1. The boxes of the current format only ever show "0", "1" and blanks, each at most as
//    many characters as its field has bits.
// 2. After an edit of a bit box, or a click into one, the value of the current format is
//    the boxes' digits read as one binary number (blanks skipped, the digits right-aligned)
//    and X shows that value.
// 3. The parameter list is offered only for the datum the boxes show: while it is enabled,
//    after any action, the value of the current format is the boxes' value, and finite.
// 4. The simulated window system sees no misuse.
// 5. The X box never holds more than the 42 characters that are read, whatever is pasted.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "mainwin/startup.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "tests/sim/dlglow_sim.h"

namespace {

using namespace bitscope;

struct Input {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;

  bool more() const { return pos < size; }
  std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
  // Any length, the tail of the input included: a bit box must survive a long paste.
  std::string text() {
    const std::uint8_t code = byte();
    const std::size_t wanted = code < 240 ? code % 130 : 130u * (code - 239u);
    const std::size_t length = std::min(wanted, size - pos);
    std::string taken(reinterpret_cast<const char*>(data + pos), length);
    pos += length;
    return taken;
  }
};

Input g_in;
LowWindow* g_window = nullptr;

[[noreturn]] void fault(const std::string& what) {
  std::fprintf(stderr, "main window: %s\n", what.c_str());
  std::abort();
}

std::string shown(int id) {
  const SimControl* control = simControl(g_window, id);
  if (control == nullptr) fault("control " + std::to_string(id) + " is gone");
  return control->text;
}

struct Box {
  int id;
  int width;
};

// The boxes of the current format as the window shows them, written out here rather than
// taken from the program.
std::vector<Box> currentBoxes() {
  switch (appState().formatBytes) {
    case 4:
      return {{1026, 1}, {1027, 8}, {1028, 23}};
    case 8:
      return {{1032, 1}, {1033, 11}, {1035, 52}};
    case 16:
      return {{1014, 1}, {1015, 15}, {1016, 48}, {1018, 64}};
    default:
      fault("no current format");
  }
}

// 1.
void checkBoxTexts() {
  for (const Box& box : currentBoxes()) {
    const std::string text = shown(box.id);
    if (static_cast<int>(text.size()) > box.width || text.find_first_not_of("01 ") != std::string::npos)
      fault("bit box " + std::to_string(box.id) + " shows \"" + text + "\"");
  }
}

// The value of the boxes: each box blank-padded to its width, the digits of all of them
// read as one binary number.
template <IeeeBinary T>
T valueOfBoxes() {
  using Bits = typename FormatTraits<T>::Bits;
  Bits bits = 0;
  for (const Box& box : currentBoxes())
    for (const char c : shown(box.id))
      if (c != ' ') bits = static_cast<Bits>(bits << 1) | static_cast<Bits>(c == '1');
  return std::bit_cast<T>(bits);
}

// 2.
void checkDecoded() {
  withFormat(appState().formatBytes, [&]<class T>(FormatTag<T>) {
    using Bits = typename FormatTraits<T>::Bits;
    const T value = appState().values.slot<T>();
    if (std::bit_cast<Bits>(value) != std::bit_cast<Bits>(valueOfBoxes<T>()))
      fault("the value is not the bits of the boxes");
    if (shown(ctl::xEntry) != formatValue(value, PrintStyle::XDisplay))
      fault("X shows \"" + shown(ctl::xEntry) + "\", not the value of the boxes");
  });
}

// 3.
void checkListOffered() {
  if (!simControl(g_window, ctl::parameterList)->enabled) return;
  withFormat(appState().formatBytes, [&]<class T>(FormatTag<T>) {
    using Bits = typename FormatTraits<T>::Bits;
    const T value = appState().values.slot<T>();
    if (std::bit_cast<Bits>(value) != std::bit_cast<Bits>(valueOfBoxes<T>()))
      fault("the parameter list is offered for a datum the boxes no longer show");
    if (!(value - value == T(0))) fault("the parameter list is offered for a value that is not finite");
  });
}

// 5.
void checkXText() {
  if (shown(ctl::xEntry).size() > xTextLength) fault("X holds \"" + shown(ctl::xEntry) + "\"");
}

int pickBox() {
  const std::vector<Box> boxes = currentBoxes();
  return boxes[g_in.byte() % boxes.size()].id;
}

int pickPosition() { return g_in.byte() % 70 - 2; }

// The other windows the main window opens, each answered as a user would: the About box
// closed with Esc, the help document not found, the summary shown, its file chooser
// cancelled.
void otherWindowAction(std::uint8_t action) {
  if (action < 250) {
    simQueueKey(SimKey::Escape);
    simClick(g_window, ctl::aboutButton);
  } else if (action < 252) {
    simAnswerSearchPath("");
    simClick(g_window, ctl::helpButton);
  } else if (action < 254) {
    simClick(g_window, ctl::summaryButton);
  } else if (LowWindow* summary = simFindWindow(ctl::summaryTemplate)) {
    simAnswerFileChooser(std::nullopt);
    simClick(summary, ctl::saveSummaryButton);
  }
}

// One user action; true when it was an edit of, or a click into, a bit box.
bool userAction() {
  const std::uint8_t action = g_in.byte();
  if (action < 96) {  // replace a box's whole text
    const int id = pickBox();
    simSelectText(g_window, id, 0, static_cast<int>(shown(id).size()));
    simPaste(g_window, id, g_in.text());
    return true;
  }
  if (action < 144) {  // type over a selection
    const int id = pickBox();
    const int start = pickPosition();
    simSelectText(g_window, id, start, pickPosition());
    simType(g_window, id, g_in.text());
    return true;
  }
  if (action < 160) {  // delete at a selection
    const int id = pickBox();
    const int start = pickPosition();
    simSelectText(g_window, id, start, pickPosition());
    simPressKey(g_window, g_in.byte() & 1 ? SimKey::Backspace : SimKey::Delete);
    return true;
  }
  if (action < 176) {  // click into a box
    simClick(g_window, pickBox());
    return true;
  }
  static constexpr std::array<int, 12> buttons{
      ctl::binary32Radio, ctl::binary64Radio, ctl::binary128Radio, ctl::fillZeros,
      ctl::fillOnes,      ctl::invertBits,    ctl::allFieldsRadio, ctl::currentFieldRadio,
      ctl::romanianRadio, ctl::englishRadio,  ctl::neighbourBits,  ctl::invertBits};
  if (action < 216) {
    simClick(g_window, buttons[g_in.byte() % buttons.size()]);
  } else if (action < 240) {
    simSelectListItem(g_window, ctl::parameterList, g_in.byte() % 8);
  } else if (action < 248) {
    simSelectText(g_window, ctl::xEntry, 0, static_cast<int>(shown(ctl::xEntry).size()));
    simPaste(g_window, ctl::xEntry, g_in.text());
  } else {
    otherWindowAction(action);
  }
  return false;
}

void onSimFailure(const std::string& what) { fault("simulated window system: " + what); }

void endProgram() {
  simReset();
  DLGRELEASE(mainDialog());
  DLGRELEASE(summaryDialog());
  appState() = AppState{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  simSetFailureHandler(onSimFailure);
  endProgram();
  if (!startUp(1)) fault("start-up failed");
  g_window = simFindWindow(ctl::mainTemplate);
  if (g_window == nullptr) fault("no main window");
  g_in = Input{data, size};

  for (int actions = 0; g_in.more() && actions < 64; ++actions) {
    const bool bitBoxEvent = userAction();
    checkBoxTexts();
    checkXText();
    if (bitBoxEvent) checkDecoded();
    checkListOffered();
  }
  endProgram();
  return 0;
}
