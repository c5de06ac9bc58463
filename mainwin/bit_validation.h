// SPDX-License-Identifier: MIT
// Repair of a bit box's text after an edit: only "0", "1" and blanks, and at most as
// many characters as the field has bits. The user is told of each repair.
#pragma once

#include <string>

#include "dialog/dialog.h"

namespace bitscope {

// Check and repair one box of that format; any other id is left alone.
void validateBits32(DialogObject& dialog, int controlId);
void validateBits64(DialogObject& dialog, int controlId);
void validateBits128(DialogObject& dialog, int controlId);

// Within the first count characters of buffer, every character other than "0", "1"
// or blank becomes "1". True when any was replaced.
bool scanBitText(int count, std::string& buffer);

}  // namespace bitscope
