// SPDX-License-Identifier: MIT
#include "mainwin/format_selection.h"

#include <algorithm>

#include "mainwin/bit_boxes.h"
#include "mainwin/bit_field_event.h"
#include "mainwin/parameter_list.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "state/format_boxes.h"
#include "texts/accessible_texts.h"

namespace bitscope {

namespace {

// The scope radio, read at each press.
bool readAllFieldsScope(DialogObject& dialog) {
  bool allFields = false;
  DLGGETVALUE(dialog, ctl::allFieldsRadio, allFields);
  return allFields;
}

// The box the current field names: the field width selects the sign, the exponent
// or the significand box. The split Binary128 significand has the width of the whole
// field (112), so the box that was last clicked or edited decides; after any other
// event (a button) neither is chosen, so a second press changes nothing.
std::vector<BitBox> currentFieldBoxes(const FormatSpec& format) {
  const AppState& state = appState();
  const FormatBoxes& ids = boxesOf(format);
  std::vector<BitBox> chosen;
  for (const BitBox& box : formatBoxes(format)) {
    const bool isSignificand = box.id != ids.signBox && box.id != ids.exponentBox;
    const int fieldWidth = box.id == ids.signBox ? 1 : isSignificand ? format.t : format.w;
    if (state.fieldWidth != fieldWidth) continue;
    if (isSignificand && ids.significandBoxCount() == 2 && box.id != state.significandBox) continue;
    chosen.push_back(box);
  }
  return chosen;
}

std::vector<BitBox> boxesInScope(DialogObject& dialog, const FormatSpec& format) {
  AppState& state = appState();
  state.allFields = readAllFieldsScope(dialog);
  return state.allFields ? formatBoxes(format) : currentFieldBoxes(format);
}

void invertBoxes(DialogObject& dialog, const std::vector<BitBox>& boxes) {
  for (const BitBox& box : boxes)
    DLGSETVALUE(dialog, box.id, invertBitText(box.width, readBox(dialog, box.id, box.width)), PROP_STATE);
}

}  // namespace

void selectFormat(DialogObject& dialog, int formatBytes) {
  AppState& state = appState();
  state.formatBytes = formatBytes;
  enableFormatBoxes(dialog);
  if (const FormatSpec* format = findFormat(formatBytes))
    for (const BitBox& box : formatBoxes(*format))
      DLGSETVALUE(dialog, box.id, state.zeroBits.substr(0, static_cast<std::size_t>(box.width)));
  DLGSETVALUE(dialog, ctl::xEntry, "0");
  // The last decode was of another format: until a field of this one is clicked or
  // edited, nothing may be computed from it.
  clearEncodingViews(dialog);
  disableParameterList(dialog);
  applyFormatAccessibleTexts(dialog);  // X and the data type speak of the new format
}

void enableFormatBoxes(DialogObject& dialog) {
  const FormatSpec* format = findFormat(appState().formatBytes);
  std::vector<BitBox> enabled;
  if (format != nullptr) enabled = formatBoxes(*format);
  for (const int id : ctl::bitBoxes) {
    const bool ofFormat =
        std::any_of(enabled.begin(), enabled.end(), [id](const BitBox& box) { return box.id == id; });
    DLGSETVALUE(dialog, id, ofFormat, PROP_ENABLED);
  }
}

void fillFields(DialogObject& dialog, int controlId) {
  AppState& state = appState();
  const std::string& source = controlId == ctl::fillZeros ? state.zeroBits : state.oneBits;
  if (const FormatSpec* format = findFormat(state.formatBytes))
    for (const BitBox& box : boxesInScope(dialog, *format))
      DLGSETVALUE(dialog, box.id, source.substr(0, static_cast<std::size_t>(box.width)));
  DLGSETVALUE(dialog, ctl::xEntry, "0");
  clearEncodingViews(dialog);
  onBitFieldEvent(dialog, controlId, EVT_CLICKED);
}

void invertFields(DialogObject& dialog) {
  AppState& state = appState();
  state.allFields = readAllFieldsScope(dialog);
  if (state.allFields)
    invertAllFields(dialog);
  else
    invertCurrentField(dialog);
  clearEncodingViews(dialog);
  onBitFieldEvent(dialog, ctl::invertBits, EVT_CLICKED);
}

void invertAllFields(DialogObject& dialog) {
  if (const FormatSpec* format = findFormat(appState().formatBytes))
    invertBoxes(dialog, formatBoxes(*format));
}

void invertCurrentField(DialogObject& dialog) {
  if (const FormatSpec* format = findFormat(appState().formatBytes))
    invertBoxes(dialog, currentFieldBoxes(*format));
}

std::string invertBitText(int n, std::string_view source) {
  std::string target(static_cast<std::size_t>(std::max(n, 0)), ' ');
  for (std::size_t i = 0; i < target.size() && i < source.size(); ++i) {
    if (source[i] == '0') target[i] = '1';
    if (source[i] == '1') target[i] = '0';
  }
  return target;
}

}  // namespace bitscope
