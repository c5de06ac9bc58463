// SPDX-License-Identifier: MIT
// What a screen reader says of the controls of the three windows, in both
// languages: names for the controls that show none (the edit boxes, the list,
// the icon buttons), and a description of every control the user acts on.
// Labels are never named here: each is heard as exactly the text it shows.
#pragma once

#include "dialog/dialog.h"
#include "engine/language.h"

namespace bitscope {

// Every control of the main window in appState().language; the texts that
// name a format name the current one. Start-up and the language switch call it.
void applyMainAccessibleTexts(DialogObject& main);
// Only the texts that name the current format, after a format switch.
void applyFormatAccessibleTexts(DialogObject& main);

// The value box 1008 is named after the parameter item it shows, or as the
// parameter's value while it shows none.
void nameValueBox(DialogObject& main);

void applyAboutAccessibleTexts(DialogObject& about, Language language);
void applySummaryAccessibleTexts(DialogObject& summary, Language language);

}  // namespace bitscope
