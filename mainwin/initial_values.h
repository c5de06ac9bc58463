// SPDX-License-Identifier: MIT
// The main window and the state as every run starts: Binary32, Romanian, current-field
// scope, X = 0, and the summary dialog's texts.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// Gives every control of the main dialog and every field of appState() its starting
// value; the window does not exist yet, so all of it is shown when it is created.
void setInitialValues(DialogObject& main);

}  // namespace bitscope
