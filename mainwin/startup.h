// SPDX-License-Identifier: MIT
// The program's run: start-up, the message loop and the end, and the main dialog's
// own callback.
#pragma once

#include "dialog/dialog.h"
#include "state/control_ids.h"

namespace bitscope {

// The dialog templates the run loads. The program always uses its own two; a test
// can name a missing one to see the start-up fail.
struct StartupTemplates {
  int mainWindow = ctl::mainTemplate;
  int summary = ctl::summaryTemplate;
};

// The whole run: start-up, then the message loop until the main window is gone.
// Returns the quit code (0), or EXIT_FAILURE after the start-up error message.
int runBitscope(int showMode, const StartupTemplates& templates = {});

// Start-up up to the main window shown modelessly with showMode; false (nothing
// shown, nothing released) when a dialog cannot be loaded or shown.
bool startUp(int showMode, const StartupTemplates& templates = {});

// Routes and dispatches messages until the quit message, then releases both dialogs.
// Returns the quit code.
int runMessageLoop();

// The main dialog's callback: the X box's text limit and the icons when its window
// is created, the quit message when it is destroyed.
void onMainDialogEvent(DialogObject& dialog, int controlId, int eventKind);

}  // namespace bitscope
