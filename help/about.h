// SPDX-License-Identifier: MIT
// The About box (template 103): loaded, filled in the current language, run
// modally and released at each press of the main window's About button.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

void showAbout(DialogObject& dialog, int controlId, int eventKind);

}  // namespace bitscope
