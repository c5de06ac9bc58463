// SPDX-License-Identifier: MIT
// The bit boxes as an input: entering or editing a box makes it the current field,
// repairs its text, and decodes the boxes back into X, its kind of datum and its
// decimal text.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// The main dispatcher's case for a change of a bit box's text.
void onBitBoxChanged(DialogObject& dialog, int controlId);

// The bit-field handler: focus on a bit box (EVT_GAINFOCUS), a change of its text
// (EVT_CHANGE, through onBitBoxChanged), or a fill or invert button (its own id,
// EVT_CLICKED). Shows the caret position and the field width, validates the box,
// re-decodes the boxes and shows X.
void onBitFieldEvent(DialogObject& dialog, int controlId, int eventKind);

// The width of the field that controlId shows under the current format (0 for
// controls that show none; under Binary128, 112 for every control that is neither
// a sign box nor the exponent box). Stored in appState().fieldWidth too.
int widthOfField(int controlId);

// Reads the current format's boxes into its value slot, classifies that value, shows
// its data type and enables the parameter list for a finite value.
void redecodeFromBoxes(DialogObject& dialog);

// Shows the current format's value in the X box.
void showValueInX(DialogObject& dialog);

}  // namespace bitscope
