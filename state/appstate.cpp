// SPDX-License-Identifier: MIT
#include "state/appstate.h"

namespace bitscope {

AppState& appState() {
  static AppState state;
  return state;
}

DialogObject& mainDialog() {
  static DialogObject dialog;
  return dialog;
}

DialogObject& summaryDialog() {
  static DialogObject dialog;
  return dialog;
}

}  // namespace bitscope
