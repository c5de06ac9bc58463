// SPDX-License-Identifier: MIT
// What the user works on: the format (radios 1011-1013), the current field and the
// scope (radios 1045 / 1046) of the buttons that fill (1029, 1030) or invert (1031) bits.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

namespace bitscope {

// A format radio: the format's boxes are enabled and start from the encoding of
// zero, X shows "0", the views of the previous encoding are emptied, and the
// parameter list waits, disabled, until a field of the format is clicked or edited.
void selectFormat(DialogObject& dialog, int formatBytes);

// Enables the bit boxes of the current format and disables the others; these keep
// their texts.
void enableFormatBoxes(DialogObject& dialog);

// "0's" (1029) or "1's" (1030): the current field, or every field, filled; then the
// boxes are decoded as after a bit-box event.
void fillFields(DialogObject& dialog, int controlId);

// "0 <--> 1" (1031): the current field, or every field, inverted; then decoded.
void invertFields(DialogObject& dialog);
void invertAllFields(DialogObject& dialog);
void invertCurrentField(DialogObject& dialog);

// n characters: each "0" of source becomes "1", each "1" becomes "0", anything else
// (a blank, or a character beyond source's end) a blank.
std::string invertBitText(int n, std::string_view source);

}  // namespace bitscope
