// SPDX-License-Identifier: MIT
#include "mainwin/x_entry.h"

#include "mainwin/bit_boxes.h"
#include "mainwin/parameter_list.h"
#include "mainwin/tooltips.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "textmodel/blank_padded.h"

namespace bitscope {

namespace {

// Shorter texts are still being typed: "1" or "-5" are not read yet, "  5" is.
constexpr std::size_t shortestReadText = 3;

}  // namespace

void onXTextChanged(DialogObject& dialog, int, int) {
  AppState& state = appState();

  // 1. Whatever described the previous X no longer holds; the list waits for a decode.
  clearParameterView(dialog);
  DLGSETVALUE(dialog, ctl::dataType, "");
  DLGSETVALUE(dialog, ctl::neighbourBits, false);
  disableParameterList(dialog);

  state.readText.clear();  // until this text is read, X has no error to show

  // 2-3. The text, once it is long enough.
  state.xText = std::string(xTextLength, ' ');
  DLGGETVALUE(dialog, ctl::xEntry, state.xText, static_cast<int>(xTextLength));
  if (withoutTrailingBlanks(state.xText).size() < shortestReadText) return;

  const FormatSpec* format = findFormat(state.formatBytes);
  if (format == nullptr) return;

  // 4-5. An infinity or NaN typed by name shows its encoding; X keeps its value.
  detectSpecialText(state.xText, state.special);
  state.flags.isNaN = state.special.isNaN;
  state.flags.isInfinite = state.special.isInfinite;
  if (state.special.isInfinite || state.special.isNaN) {
    writeBitBoxes(dialog, *format, showSpecialEncoding(state.formatBytes, state.special));
    return;
  }

  // 6. A decimal number, read straight into the current format.
  const ReadOutcome read = readDecimal(state.formatBytes, state.xText, state.values);
  if (read == ReadOutcome::Invalid) {
    DLGREFRESH(dialog, false);  // the cleared views are shown behind the message
    lowMessageBox(std::string(invalidValueMessage), std::string(invalidValueTitle), MessageIcon::Warning,
                  nullptr);
    return;
  }
  // A successful read, or a text that names no number (the value is kept): either
  // way the boxes show the value's encoding.
  const BitFields fields = encodeBits(state.formatBytes, state.values);
  if (read == ReadOutcome::Ok) {
    state.readText = state.xText;
    state.readBits = encodingOfSlot(state.formatBytes, state.values);
    state.readFormatBytes = state.formatBytes;
  }
  writeBitBoxes(dialog, *format, fields);
}

}  // namespace bitscope
