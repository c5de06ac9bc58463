// The parameter list (1044): seven views of the value of the bit boxes.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// Selection handler of 1044: shows the selected view in 1008 under its caption in
// 1040. The neighbour items also offer the check box 1043 (bits instead of decimal).
void onParameterListSelect(DialogObject& dialog, int controlId, int eventKind);

}  // namespace bitscope
