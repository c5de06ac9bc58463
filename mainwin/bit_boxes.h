// SPDX-License-Identifier: MIT
// The bit boxes of a format as a whole: which they are, and their texts read or
// written as one encoding. Also the small texts the bit-field handlers show.
#pragma once

#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "engine/engine.h"

namespace bitscope {

// One bit box and the number of characters (bits) it shows.
struct BitBox {
  int id;
  int width;
};

// The boxes of a format in the order every operation visits them: sign, exponent,
// significand (Binary128: bits 1 to 48, then 49 to 112).
std::vector<BitBox> formatBoxes(const FormatSpec& format);

// The text of a box as exactly width characters (blank padded or cut).
std::string readBox(DialogObject& dialog, int id, int width);

// The current texts of a format's boxes, each read at its width.
BitFields readBitBoxes(DialogObject& dialog, const FormatSpec& format);

// Shows an encoding in a format's boxes (Binary128: T split into its two boxes).
void writeBitBoxes(DialogObject& dialog, const FormatSpec& format, const BitFields& fields);

// A number as the caret and width boxes show it: its digits, left-aligned in three
// characters.
std::string numberText(int n);

// The views that describe the encoding as it was: the parameter view (see
// clearParameterView), the neighbour check box unchecked, the data type and the caret
// position.
void clearEncodingViews(DialogObject& dialog);

}  // namespace bitscope
