// SPDX-License-Identifier: MIT
#include "mainwin/initial_values.h"

#include <utility>

#include "mainwin/format_selection.h"
#include "mainwin/tooltips.h"
#include "state/appstate.h"
#include "state/control_ids.h"
#include "summary/summary.h"
#include "textmodel/blank_padded.h"
#include "texts/ui_texts.h"

namespace bitscope {

namespace {

constexpr std::size_t bitSourceLength = 64;
constexpr std::size_t listItemLength = 40;

// The width of each bit box, as blanks: the Binary128 boxes keep them until
// Binary128 is selected.
constexpr std::pair<int, int> boxLengths[] = {
    {ctl::sign32, 1},       {ctl::exponent32, 8},          {ctl::significand32, 23},
    {ctl::exponent64, 11},  {ctl::significand64, 52},      {ctl::sign128, 1},
    {ctl::exponent128, 15}, {ctl::significand128High, 48}, {ctl::significand128Low, 64},
};

void setLanguage(DialogObject& main) {
  AppState& state = appState();
  DLGSETVALUE(main, ctl::romanianRadio, true);
  state.language = Language::Romanian;
  fillLanguageTexts();
  applyLanguage(main);
  applyMainToolTips(main);
}

// Binary32 shows the encoding of zero; the Binary64 row names its fields until it is
// selected.
void setInitialBits(DialogObject& main) {
  DLGSETVALUE(main, ctl::sign32, "0");
  DLGSETVALUE(main, ctl::exponent32, std::string(8, '0'));
  DLGSETVALUE(main, ctl::significand32, std::string(23, '0'));
  DLGSETVALUE(main, ctl::sign64, "S");
  DLGSETVALUE(main, ctl::exponent64, "   Exponent");
  DLGSETVALUE(main, ctl::significand64, significandPlaceholderRo);
}

void fillParameterList(DialogObject& main) {
  for (const std::string& item : parameterListItems(Language::Romanian))
    DLGSETVALUE(main, ctl::parameterList, paddedTo(item, listItemLength), PROP_ADDITEM);
  DLGSETVALUE(main, ctl::parameterList, 0, 1);  // no item selected
  DLGSETVALUE(main, ctl::parameterList, false, PROP_ENABLED);
  DLGSETVALUE(main, ctl::parameterLabel, false, PROP_ENABLED);
}

}  // namespace

void setInitialValues(DialogObject& main) {
  AppState& state = appState();
  DLGSETVALUE(main, ctl::binary32Radio, true);
  state.formatBytes = 4;
  setLanguage(main);
  DLGSETVALUE(main, ctl::currentFieldRadio, true);
  DLGSETVALUE(main, ctl::xEntry, "0");
  DLGSETVALUE(main, ctl::viewCaption, "");
  for (const auto& [id, length] : boxLengths) DLGSETVALUE(main, id, length, PROP_TEXTLENGTH);
  enableFormatBoxes(main);
  DLGSETVALUE(main, ctl::neighbourBits, false);
  DLGSETVALUE(main, ctl::neighbourBits, false, PROP_ENABLED);
  setInitialBits(main);
  fillParameterList(main);
  state.zeroBits = std::string(bitSourceLength, '0');
  state.oneBits = std::string(bitSourceLength, '1');
  state.caretText = "   ";
  state.widthText = "   ";
  buildSummaryTexts();
  applySummaryTexts();
}

}  // namespace bitscope
