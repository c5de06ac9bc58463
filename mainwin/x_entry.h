// SPDX-License-Identifier: MIT
// The X entry (control 1007): what each change of its text does.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// The main dispatcher's case for 1007: on every change of the text, the views that
// depend on X are reset; from three characters on, the text is read into the current
// format and its encoding is shown in that format's bit boxes.
void onXTextChanged(DialogObject& dialog, int controlId, int eventKind);

}  // namespace bitscope
