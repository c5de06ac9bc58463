#include "mainwin/parameter_list.h"

#include "mainwin/appstate.h"
#include "mainwin/bit_boxes.h"
#include "mainwin/control_ids.h"

namespace bitscope {

namespace {

void showView(DialogObject& dialog, const ViewText& view) {
  DLGSETVALUE(dialog, ctl::viewValue, view.value);
  DLGSETVALUE(dialog, ctl::viewCaption, view.caption);
}

// X+ or X-, in decimal or, with 1043 checked, as bits. The label's language is
// taken from the radio itself.
void showNeighbour(DialogObject& dialog) {
  AppState& state = appState();
  DLGSETVALUE(dialog, ctl::caretPosition, "");
  bool showBits = false;
  DLGGETVALUE(dialog, ctl::neighbourBits, showBits);
  bool romanian = true;
  DLGGETVALUE(dialog, ctl::romanianRadio, romanian);
  state.language = romanian ? Language::Romanian : Language::English;
  state.isRomanian = romanian;
  state.isEnglish = !romanian;
  showView(dialog, neighbourItemView(state.formatBytes, state.values, state.listItem, showBits, state.language));
}

}  // namespace

void onParameterListSelect(DialogObject& dialog, int, int) {
  AppState& state = appState();
  // 1-2. The check box belongs to the neighbour items only.
  DLGSETVALUE(dialog, ctl::neighbourBits, false, PROP_ENABLED);
  state.listItem = 0;
  DLGGETVALUE(dialog, ctl::parameterList, state.listItem, 1);

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
      // The exponent and significand are read from the boxes as they stand, with the
      // classification of their last decode (current whenever the list is enabled).
      showView(dialog, parameterView(state.listItem, state.formatBytes, state.values,
                                     readBitBoxes(dialog, *format), state.flags, state.language, false));
      return;
  }
}

}  // namespace bitscope
