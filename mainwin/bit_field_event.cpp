// SPDX-License-Identifier: MIT
#include "mainwin/bit_field_event.h"

#include "mainwin/bit_boxes.h"
#include "mainwin/bit_validation.h"
#include "mainwin/parameter_list.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"

namespace bitscope {

namespace {

// 1018 continues 1016: its caret counts from significand bit 49 on.
constexpr int lowSignificandCaretOffset = 48;

bool isSignBox(int controlId) {
  return controlId == ctl::sign32 || controlId == ctl::sign64 || controlId == ctl::sign128;
}

// The caret position: the number of characters before it, which right after a typed
// character is that bit's position counted from the field's msb as 1. Controls
// without a caret (the buttons) give 0.
void showCaretPosition(DialogObject& dialog, int controlId) {
  AppState& state = appState();
  int caret = 0;  // kept when the control has no caret
  DLGGETVALUE(dialog, controlId, caret, PROP_POSITION);
  if (controlId == ctl::significand128Low) caret += lowSignificandCaretOffset;
  state.caretText = numberText(caret);
  DLGSETVALUE(dialog, ctl::caretPosition, state.caretText);
  DLGREFRESH(dialog, false);
}

void validateBits(DialogObject& dialog, int controlId) {
  switch (appState().formatBytes) {
    case 4:
      validateBits32(dialog, controlId);
      break;
    case 8:
      validateBits64(dialog, controlId);
      break;
    case 16:
      validateBits128(dialog, controlId);
      break;
    default:
      break;
  }
}

}  // namespace

void onBitBoxChanged(DialogObject& dialog, int controlId) {
  clearParameterView(dialog);
  DLGSETVALUE(dialog, ctl::caretPosition, "");
  DLGREFRESH(dialog, false);
  onBitFieldEvent(dialog, controlId, EVT_CHANGE);
}

void onBitFieldEvent(DialogObject& dialog, int controlId, int eventKind) {
  AppState& state = appState();
  state.significandBox =
      controlId == ctl::significand128High || controlId == ctl::significand128Low ? controlId : 0;

  // 1. Caret position.
  showCaretPosition(dialog, controlId);

  // 2. Field width (a focus change shows no position).
  if (eventKind == EVT_GAINFOCUS) {
    DLGSETVALUE(dialog, ctl::caretPosition, "");
    DLGREFRESH(dialog, false);
  }
  state.widthText = numberText(widthOfField(controlId));
  DLGSETVALUE(dialog, ctl::fieldWidthBox, state.widthText);
  DLGREFRESH(dialog, false);

  // 3-5. Repair, decode, show.
  validateBits(dialog, controlId);
  redecodeFromBoxes(dialog);
  showValueInX(dialog);
}

int widthOfField(int controlId) {
  AppState& state = appState();
  state.fieldWidth = 0;
  if (const FormatSpec* format = findFormat(state.formatBytes)) {
    const FormatBoxes& boxes = boxesOf(*format);
    if (isSignBox(controlId))
      state.fieldWidth = 1;
    else if (controlId == boxes.exponentBox)
      state.fieldWidth = format->w;
    else if (boxes.significandBoxCount() == 2 || controlId == boxes.significandBoxes[0])
      state.fieldWidth = format->t;  // the split Binary128 significand: whatever else was named
  }
  return state.fieldWidth;
}

void redecodeFromBoxes(DialogObject& dialog) {
  AppState& state = appState();
  const FormatSpec* format = findFormat(state.formatBytes);
  if (format == nullptr) return;

  // 1. The boxes as they stand (a shortened box keeps its blanks).
  const BitFields typed = readBitBoxes(dialog, *format);
  // 2. Their value: the digits read as one binary number, blanks skipped.
  decodeBits(state.formatBytes, typed, state.values);
  // 3. The kind of that value. A box that has lost a bit is no encoding: the digits
  //    before the gap move down, and X, the data type and every view must name the one
  //    datum those digits make, not fields read from the texts.
  state.flags = classifyBits(*format, encodeBits(state.formatBytes, state.values));
  state.special.isNaN = state.flags.isNaN;
  state.special.isInfinite = state.flags.isInfinite;
  // 4-5. The data type, and the list for finite values only.
  state.dataTypeText = describeDataType(state.formatBytes, state.flags);
  DLGSETVALUE(dialog, ctl::dataType, state.dataTypeText.in(state.language));
  DLGSETVALUE(dialog, ctl::parameterList, state.flags.isFinite, PROP_ENABLED);
  DLGSETVALUE(dialog, ctl::parameterLabel, state.flags.isFinite, PROP_ENABLED);
}

void showValueInX(DialogObject& dialog) {
  const AppState& state = appState();
  DLGSETVALUE(dialog, ctl::xEntry, formatValue(state.formatBytes, state.values, PrintStyle::XDisplay));
  DLGREFRESH(dialog, false);
}

}  // namespace bitscope
