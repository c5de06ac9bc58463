// SPDX-License-Identifier: MIT
#include "mainwin/dispatcher.h"

#include "mainwin/bit_field_event.h"
#include "mainwin/format_selection.h"
#include "mainwin/language_switch.h"
#include "mainwin/x_entry.h"
#include "state/control_ids.h"

namespace bitscope {

void onMainControlEvent(DialogObject& dialog, int controlId, int eventKind) {
  switch (controlId) {
    case ctl::xEntry:
      onXTextChanged(dialog, controlId, eventKind);
      return;
    case ctl::sign32:
    case ctl::exponent32:
    case ctl::significand32:
    case ctl::sign64:
    case ctl::exponent64:
    case ctl::significand64:
    case ctl::sign128:
    case ctl::exponent128:
    case ctl::significand128High:
    case ctl::significand128Low:
      onBitBoxChanged(dialog, controlId);
      return;
    case ctl::binary32Radio:
      selectFormat(dialog, 4);
      return;
    case ctl::binary64Radio:
      selectFormat(dialog, 8);
      return;
    case ctl::binary128Radio:
      selectFormat(dialog, 16);
      return;
    case ctl::fillZeros:
    case ctl::fillOnes:
      fillFields(dialog, controlId);
      return;
    case ctl::invertBits:
      invertFields(dialog);
      return;
    case ctl::romanianRadio:
    case ctl::englishRadio:
      onLanguageRadio(dialog, controlId);
      return;
    default:
      return;
  }
}

}  // namespace bitscope
