// SPDX-License-Identifier: MIT
// The parameter list (1044): seven views of the value of the bit boxes.
#pragma once

#include "dialog/dialog.h"

namespace bitscope {

// Selection handler of 1044: shows the selected view in 1008 under its caption in
// 1040. The neighbour items also offer the check box 1043 (bits instead of decimal).
void onParameterListSelect(DialogObject& dialog, int controlId, int eventKind);

// The bits have changed since the shown view was computed: the view and its caption
// are emptied and no item stays selected, so that choosing any item computes its view
// afresh; the neighbour check box waits, disabled, until X+ or X- is chosen again.
void clearParameterView(DialogObject& dialog);

// The bits have changed and will not be decoded until a field is clicked or edited:
// the list and its label are disabled, so that no view can be computed from the
// classification of another datum or another format.
void disableParameterList(DialogObject& dialog);

}  // namespace bitscope
