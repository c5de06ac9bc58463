// SPDX-License-Identifier: MIT
// The summary dialog: its paragraphs in the current language, shown on demand.
#include "state/appstate.h"
#include "summary/summary.h"
#include "summary/summary_texts.h"
#include "textmodel/blank_padded.h"
#include "texts/accessible_texts.h"

namespace bitscope {

void applySummaryTexts() {
  const SummaryParagraphs& paragraphs = summaryTexts(appState().language);
  for (std::size_t i = 0; i < summaryIds.size(); ++i)
    DLGSETVALUE(summaryDialog(), summaryIds[i], withoutTrailingBlanks(paragraphs[i]));
  applySummaryAccessibleTexts(summaryDialog(), appState().language);
}

// Run from a callback of the main window, so the layer makes the main window
// the summary's owner. A second press while one is open opens another window
// with the same texts; the object then speaks to the newer one.
void showSummary(DialogObject&, int, int) {
  applySummaryTexts();
  DLGMODELESS(summaryDialog(), 1);
}

}  // namespace bitscope
