// SPDX-License-Identifier: MIT
// The language radios of the main window.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// The main dispatcher's case for the language radios 1050 (RO) and 1051 (EN).
void onLanguageRadio(DialogObject& dialog, int controlId);

}  // namespace bitscope
