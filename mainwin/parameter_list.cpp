// SPDX-License-Identifier: MIT
#include "mainwin/parameter_list.h"

#include "state/appstate.h"
#include "state/control_ids.h"
#include "texts/accessible_texts.h"

namespace bitscope {

namespace {

void showView(DialogObject& dialog, const ViewText& view) {
  DLGSETVALUE(dialog, ctl::viewValue, view.value);
  DLGSETVALUE(dialog, ctl::viewCaption, view.caption);
}

// X+ or X-, in decimal or, with 1043 checked, as bits. The label's language is
// taken from the radio itself, deliberately, and written back to the state: the
// neighbour items also empty the caret box, unlike the other items. Both intended.
void showNeighbour(DialogObject& dialog) {
  AppState& state = appState();
  DLGSETVALUE(dialog, ctl::caretPosition, "");
  bool showBits = false;
  DLGGETVALUE(dialog, ctl::neighbourBits, showBits);
  bool romanian = true;
  DLGGETVALUE(dialog, ctl::romanianRadio, romanian);
  state.language = romanian ? Language::Romanian : Language::English;
  showView(dialog,
           neighbourItemView(state.formatBytes, state.values, state.listItem, showBits, state.language));
}

}  // namespace

void clearParameterView(DialogObject& dialog) {
  DLGSETVALUE(dialog, ctl::viewValue, "");
  DLGSETVALUE(dialog, ctl::viewCaption, "");
  DLGSETVALUE(dialog, ctl::parameterList, 0, 1);  // no item selected
  appState().listItem = 0;
  nameValueBox(dialog);
  DLGSETVALUE(dialog, ctl::neighbourBits, false, PROP_ENABLED);
}

void disableParameterList(DialogObject& dialog) {
  DLGSETVALUE(dialog, ctl::parameterList, false, PROP_ENABLED);
  DLGSETVALUE(dialog, ctl::parameterLabel, false, PROP_ENABLED);
}

void onParameterListSelect(DialogObject& dialog, int, int) {
  AppState& state = appState();
  // 1-2. The check box belongs to the neighbour items only.
  DLGSETVALUE(dialog, ctl::neighbourBits, false, PROP_ENABLED);
  state.listItem = 0;
  DLGGETVALUE(dialog, ctl::parameterList, state.listItem, 1);
  nameValueBox(dialog);

  // 3. The view of the item.
  const FormatSpec* format = findFormat(state.formatBytes);
  if (format == nullptr) return;
  switch (static_cast<ParameterItem>(state.listItem)) {
    case ParameterItem::NextUp:
    case ParameterItem::NextDown:
      DLGSETVALUE(dialog, ctl::neighbourBits, true, PROP_ENABLED);
      showNeighbour(dialog);
      return;
    case ParameterItem::Exponent:
    case ParameterItem::Significand:
    case ParameterItem::Ulp:
    case ParameterItem::Delta:
    case ParameterItem::XPlusDelta:
      // The exponent and significand are those of the last decoded value, with its
      // classification: whenever the list is enabled that is the datum the boxes show.
      showView(dialog, parameterView(state.listItem, state.formatBytes, state.values,
                                     encodeBits(state.formatBytes, state.values), state.flags, state.language,
                                     false));
      return;
  }
}

}  // namespace bitscope
