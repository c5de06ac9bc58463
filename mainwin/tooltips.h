// SPDX-License-Identifier: MIT
// The tooltips of the main window: the exact value of X and of the neighbour
// views, the error of the last decimal read, and the bit under the mouse in a
// bit box. Each text is made only when its tooltip is about to show, from the
// state at that moment, so it follows the language, the format and the value
// without any work in the handlers that change them.
#pragma once

#include "dialog/dialog.h"
#include "engine/engine.h"

namespace bitscope {

// Gives the tooltips to X, the value box and every bit box, with the copy item
// of X and of the value box in the current language. Start-up and the language
// switch call it.
void applyMainToolTips(DialogObject& main);

// The encoding in the slot of the format.
EncodingBits encodingOfSlot(int formatBytes, const FormatValues& values);

}  // namespace bitscope
