// SPDX-License-Identifier: MIT
// The main dispatcher: the one routine attached to the default event of the X entry,
// the bit boxes, the format radios, the fill and invert buttons and the language radios.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// Switches on the control id; ids without a case (the read-only box 1019) do nothing.
void onMainControlEvent(DialogObject& dialog, int controlId, int eventKind);

}  // namespace bitscope
